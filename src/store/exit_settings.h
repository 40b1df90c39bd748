// The exit settings of the properties window, which live in its check boxes: cbText, export
// every memo as a text file at exit, and cbAlart, ask before exit.
#pragma once

namespace petarino {

class ExitSettings {
public:
    virtual ~ExitSettings() = default;

    virtual bool ExportAtExit() const = 0;
    virtual void SetExportAtExit(bool exportAtExit) = 0;
    virtual bool AskBeforeExit() const = 0;
    virtual void SetAskBeforeExit(bool askBeforeExit) = 0;
};

} // namespace petarino
