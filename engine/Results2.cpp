#include "Results2.h"

#include "RunState.h"
#include <cmath>

namespace vyra {

// Squares and powers of ten go through pow, as the rated figures were
// computed; plain products differ only in the last bits.
FrequencyTerms FrequencyTermsOf(const RunState& state, int i)
{
    const SelectionInputs& in = state.inputs;
    const SensorModel& model = state.model(i);
    FrequencyTerms k;
    k.a = model.leverLength;
    k.b = in.h + model.heightOffset;
    // 9800 turns kgf/mm into N/m.
    k.K = std::pow(k.a, 2) * (model.springConstant * 9800);
    k.L2 = std::pow(in.l + k.a, 2) + std::pow(k.b, 2);
    k.F0 = std::sqrt(k.K / (in.Wr * k.L2)) / (2 * Pi);
    k.L = std::sqrt(std::pow(in.l + k.a, 2) + std::pow(k.b, 2));
    return k;
}

void ComputeFrequencies(RunState& state, int i)
{
    const SelectionInputs& in = state.inputs;
    const FrequencyTerms k = FrequencyTermsOf(state, i);
    ResultTables& t = state.tables;

    // Revolutions per second of the roller: V in m/min, d in mm.
    t.F1[i] = in.V / (60 * Pi * in.d * std::pow(10.0, -3.0));
    t.F2[i] = std::sqrt(2.0) * k.F0;
    t.F3[i] = std::sqrt(3.0) * k.F0;
    t.E[i] = in.V == 0 ? 0 : (std::pow(10.0, 4) * Pi * in.d) / (std::pow(10.0, 3) * in.V);
    // 19.6 is 2 x 9.8; 10^6 turns um into m. The result is in kgf.
    t.PB[i] = (std::pow(2 * Pi * t.F1[i], 2) * in.Wr * t.E[i] * k.L) / (19.6 * std::pow(10.0, 6) * k.a);
}

Assessment2 AssessResults2(const RunState& state, int i)
{
    Assessment2 r;
    r.failF1F2 = Fails(kF1F2Check, state, i);
    r.failF1F3 = Fails(kF1F3Check, state, i);
    r.withinTolerance = !(r.failF1F2 || r.failF1F3);
    return r;
}

}  // namespace vyra
