#include "recog/state/driver.h"

#include <cstdio>

#include "recog/input/bmp.h"
#include "recog/letters/vote.h"
#include "recog/preprocess/preprocess.h"
#include "recog/state/state.h"

namespace {

void writeToStdout(const char* text) {
    std::fputs(text, stdout);
    std::fflush(stdout);
}

DiagnosticWriter diagnosticWriter = writeToStdout;

}  // namespace

void setDiagnosticWriter(DiagnosticWriter writer) {
    diagnosticWriter = writer ? writer : writeToStdout;
}

void writeDiagnostic(const char* text) { diagnosticWriter(text); }

std::string resultText(int letterCode) {
    if (letterCode == 0) return "Refause!";
    char text[16];
    std::snprintf(text, sizeof text, "Recoged: %c", static_cast<char>(letterCode));
    return text;
}

int recogniseLoadedGlyph(RecognitionShell* shell) {
    normaliseImage();
    // The picture shows the normalised glyph before the frame is added.
    if (shell) shell->drawRaster();
    frameImage();
    // The stages' own statuses are not inspected: the run always reaches the vote.
    smoothGlyph();
    thinAndExtract();
    measureGlyph();
    return voteLetter();
}

void runRecognition(RecognitionShell& shell) {
    const std::string directory = DefaultDirectory;
    std::string fileName;
    if (!shell.chooseBmpFile(BmpFileFilter, directory, fileName)) {
        if (fileName.empty()) return;  // cancelled
        const std::string text = "Read File Error! (" + directory + fileName + ")";
        shell.showMessage(text.c_str(), ReadErrorCaption);
        return;
    }
    recogniseFile(fileName.c_str(), &shell);
}

int32_t recogniseFile(const char* path, RecognitionShell* shell) {
    std::string message;
    const int32_t status = loadBmp(path, &message);
    if (status != LoadOk) {
        // A run that stops here changes neither the result text nor the picture.
        if (shell && !message.empty()) shell->showMessage(message.c_str(), ApplicationTitle);
        return status;
    }
    const int letter = recogniseLoadedGlyph(shell);
    if (shell) shell->showResult(resultText(letter).c_str());
    return status;
}
