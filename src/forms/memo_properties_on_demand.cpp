#include "forms/memo_properties_on_demand.h"

#include "forms/macro_palette.h"
#include "forms/memo_properties_dialog.h"

namespace petarino::forms {

// Made together or not at all: the palette attaches itself to the dialog.
struct MemoPropertiesOnDemand::Windows {
    explicit Windows(const MemoPropertiesOnDemand& with)
        : memoSet(with.owner_, with.windows_, with.choosers_, with.files_, with.timer1_,
                  with.table_),
          macroSet(with.owner_, with.windows_, memoSet) {}

    TMemoSet memoSet;
    TMacroSet macroSet;
};

MemoPropertiesOnDemand::MemoPropertiesOnDemand(HWND owner, platform::WindowSystem& windows,
                                               platform::Choosers& choosers, platform::Files& files,
                                               TickTimer& timer1, MemoTable& table)
    : owner_(owner), windows_(windows), choosers_(choosers), files_(files), timer1_(timer1),
      table_(table) {}

MemoPropertiesOnDemand::~MemoPropertiesOnDemand() = default;

int MemoPropertiesOnDemand::Execute(Memo& memo) {
    if (!made_) made_ = std::make_unique<Windows>(*this);
    return made_->memoSet.Execute(memo);
}

} // namespace petarino::forms
