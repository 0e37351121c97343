#include "FrmExSub.h"

#include "FrmInit.h"
#include "Placement.h"
#include "ProgramSettings.h"
#include "RtfReader.h"
#include "RtfTextDocument.h"

#include <QPushButton>
#include <QResizeEvent>
#include <QTextCursor>
#include <QTextEdit>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <variant>

namespace vyra::ui {

namespace {

// Client area of the screen, twips.
constexpr double kClientWidth = 9135;
constexpr double kClientHeight = 6915;
constexpr double kCaptionPoints = 11.25;
// The view spans the width from kViewTop to kViewBottom; "Return".
constexpr double kViewTop = 120;
constexpr double kViewBottom = 6375;
constexpr TwipBox kReturnBox{7320, 6480, 1455, 375};

// What the viewer takes: the text layout grows faster than the document
// past these sizes, so that a larger document would hold the screen for
// seconds. The five documents use a small part of each; a document beyond
// them is refused with the file-error message rather than freezing.
constexpr rtf::ReadLimits kViewerLimits{
    .maxInputBytes = 16u * 1024u * 1024u,
    .maxGroupDepth = rtf::ReadLimits{}.maxGroupDepth,
    .maxTextBytes = 1024u * 1024u,
    .maxParts = 40000,
    .maxCellsPerRow = rtf::ReadLimits{}.maxCellsPerRow,
    .maxTableRows = 2000,
};

struct FileErrorMessage {
    int code;
    const char* text;
    const char* title;
};

// The wordings are the program's own, odd ones included, and so is the
// small e of code 57.
constexpr std::array<FileErrorMessage, 10> kFileErrorMessages{{
    {kFileNotFound, "The file is not found.", "File Error"},
    {kDeviceIoError, "Device I/O Error", "File error"},
    {kFileAlreadyExists, "This file already exist.", "File Error"},
    {kDiskFull, "The disk in the destination is fill.", "File Error"},
    {kTooManyFiles, "There are too much files.", "File Error"},
    {kDeviceUnavailable, "The device is not ready.", "File Error"},
    {kPermissionDenied, "The disk is not written.", "File Error"},
    {kDiskNotReady, "Insert a disk.", "File Error"},
    {kPathFileAccessError, "The file cannot be accessed.", "File Error"},
    {kPathNotFound, "The pass is not found.", "File Error"},
}};

// The document in the view, or the error number of the failure with the
// view left as it was.
std::optional<int> FillView(const ExplanationFiles& files, const QString& name, QTextEdit& view)
{
    const DocumentBytes bytes = files.ReadDocument(name);
    if (const auto* failure = std::get_if<FileError>(&bytes)) {
        return failure->code;
    }
    const Expected<rtf::Document> read = rtf::ReadRtf(std::get<std::string>(bytes), kViewerLimits);
    if (read) {
        rtf::FillTextDocument(*read, *view.document());
        // Filling leaves the view's cursor, and with it the view, at the end.
        view.moveCursor(QTextCursor::Start);
        return std::nullopt;
    }
    return kInvalidFileFormat;
}

}  // namespace

FrmExSub::FrmExSub(Toolkit& toolkit, const ExplanationFiles& files, const QString& documentName, QWidget* parent)
    : QDialog(parent), m_toolkit(toolkit)
{
    setObjectName(QStringLiteral("frmExSub"));
    setWindowTitle(QStringLiteral("Explanations"));
    setWindowModality(Qt::ApplicationModal);
    setMinimumSize(TwipsToPixels(kClientWidth / 3, *this), TwipsToPixels(kClientHeight / 3, *this));

    m_richTextBox1 = new QTextEdit(this);
    m_richTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    // Nothing is ever written back to a document, so the view only shows it.
    m_richTextBox1->setReadOnly(true);

    m_cmdReturn = new QPushButton(QStringLiteral("Return"), this);
    m_cmdReturn->setObjectName(QStringLiteral("cmdReturn"));
    m_cmdReturn->setFont(CourierNew(kCaptionPoints));
    connect(m_cmdReturn, &QPushButton::clicked, this, &QDialog::accept);
    OpenFitting(*this, {TwipsToPixels(kClientWidth, *this), TwipsToPixels(kClientHeight, *this)});
    // A hidden window learns its size only once shown; its content is
    // where it belongs from the start.
    PlaceContent(size());

    LoadExplanation(files, documentName);
}

// At the tabled size the view and "Return" stand at their tabled places;
// a larger or smaller window keeps their distances from its edges.
void FrmExSub::resizeEvent(QResizeEvent* event)
{
    PlaceContent(event->size());
    QDialog::resizeEvent(event);
}

void FrmExSub::PlaceContent(QSize size)
{
    const auto pixels = [this](double twips) { return TwipsToPixels(twips, *this); };
    m_richTextBox1->setGeometry(0, pixels(kViewTop), size.width(),
                                size.height() - pixels(kViewTop) - pixels(kClientHeight - kViewBottom));
    m_cmdReturn->setGeometry(size.width() - pixels(kClientWidth - kReturnBox.left),
                             size.height() - pixels(kClientHeight - kReturnBox.top), pixels(kReturnBox.width),
                             pixels(kReturnBox.height));
}

void FrmExSub::hideEvent(QHideEvent* event)
{
    ProgramSettings().KeepWindowSize(objectName(), size());
    QDialog::hideEvent(event);
}

void FrmExSub::LoadExplanation(const ExplanationFiles& files, const QString& documentName)
{
    if (documentName.isEmpty()) {
        return;
    }
    if (const std::optional<int> code = FillView(files, documentName, *m_richTextBox1)) {
        ShowFileError(*code);
    }
}

void FrmExSub::ShowFileError(int code)
{
    const auto* known = std::find_if(kFileErrorMessages.begin(), kFileErrorMessages.end(),
                                     [code](const FileErrorMessage& message) { return message.code == code; });
    if (known != kFileErrorMessages.end()) {
        m_toolkit.ShowMessage(this, QString::fromUtf8(known->title), QString::fromUtf8(known->text),
                              BoxIcon::Exclamation);
        return;
    }
    m_toolkit.ShowMessage(this, QStringLiteral("File Error"),
                          QStringLiteral("Apply to the administrator.(Error No.%1)").arg(code), BoxIcon::Exclamation);
}

}  // namespace vyra::ui
