// Exit settings in plain fields, starting as the properties window's check boxes do: off.
#pragma once

#include "store/exit_settings.h"

namespace petarino {

class InMemoryExitSettings final : public ExitSettings {
public:
    bool ExportAtExit() const override { return exportAtExit_; }
    void SetExportAtExit(bool exportAtExit) override { exportAtExit_ = exportAtExit; }
    bool AskBeforeExit() const override { return askBeforeExit_; }
    void SetAskBeforeExit(bool askBeforeExit) override { askBeforeExit_ = askBeforeExit; }

private:
    bool exportAtExit_ = false;
    bool askBeforeExit_ = false;
};

} // namespace petarino
