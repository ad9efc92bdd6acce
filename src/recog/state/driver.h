// One recognition from file to result text, and the four things it needs
// from whatever shell drives it (the dialog or the command line).
#pragma once

#include <cstdint>
#include <string>

// The caption of the reader's message boxes.
inline constexpr const char* ApplicationTitle = "Quillmark";
// The caption of the driver's own "Read File Error!" message box.
inline constexpr const char* ReadErrorCaption = "Tarvo";
// The open-file filter handed to chooseBmpFile.
inline constexpr const char* BmpFileFilter = "B/W:*.bmp|*.bmp|";

class RecognitionShell {
public:
    virtual ~RecognitionShell() = default;
    // The open-file question. Returns true with the chosen path in fileName.
    // On failure returns false; fileName is empty when the user cancelled,
    // otherwise it holds the name that could not be used.
    virtual bool chooseBmpFile(const char* filter, const std::string& initialDirectory,
                               std::string& fileName) = 0;
    // Paint the normalised glyph (rows 0..ImageHeight-1, columns 0..ImageWidth-1).
    virtual void drawRaster() = 0;
    // Put the result text into the result field.
    virtual void showResult(const char* text) = 0;
    // A message box with an OK button.
    virtual void showMessage(const char* text, const char* caption) = 0;
};

// The default directory the open-file question starts in ("" = the current one).
inline constexpr const char* DefaultDirectory = "";

// Run one recognition through the shell.
void runRecognition(RecognitionShell& shell);

// Load one file and, when it loads, run every later stage and show the
// result through the shell (which may be null). Returns the reader's status;
// the reader's message, where it has one, goes to the shell.
int32_t recogniseFile(const char* path, RecognitionShell* shell);

// The stages after a successful load, in their fixed order: normalise, draw
// (through the shell, when one is given), frame, smooth, thin, measure, vote.
// Returns the vote's letter code, 0 for none.
int recogniseLoadedGlyph(RecognitionShell* shell);

// The result text for a vote's letter code: "Recoged: x" or "Refause!".
std::string resultText(int letterCode);

// Where the junction clean-up writes its one diagnostic line (standard output
// unless a caller redirects it, e.g. the command line's JSON mode).
using DiagnosticWriter = void (*)(const char* text);
void setDiagnosticWriter(DiagnosticWriter writer);
void writeDiagnostic(const char* text);
