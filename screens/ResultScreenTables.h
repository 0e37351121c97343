#pragma once

#include "FrmResult.h"

namespace vyra::ui {

// "Selection result 1": transmitted load, stopper displacement, sensor
// output and gain. Placed 205 twips below the centred frmResult2.
extern const ResultScreenLayout kFrmResult1;

// "Selection result 2": excitation and resonant frequencies, their ratios,
// eccentricity and eccentric force. Placed centred on the display.
extern const ResultScreenLayout kFrmResult2;

}  // namespace vyra::ui
