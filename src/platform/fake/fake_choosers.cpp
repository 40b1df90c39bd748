#include "platform/fake/fake_choosers.h"

namespace petarino::platform {
namespace {

template <typename T> std::optional<T> NextAnswer(std::deque<std::optional<T>>& script) {
    if (script.empty()) return std::nullopt;
    std::optional<T> answer = std::move(script.front());
    script.pop_front();
    return answer;
}

} // namespace

std::optional<Font> FakeChoosers::PickFont(const Font& start) {
    fontStarts_.push_back(start);
    return NextAnswer(fonts_);
}

std::optional<Color> FakeChoosers::PickColor(Color start) {
    colorStarts_.push_back(start);
    return NextAnswer(colors_);
}

std::optional<FilePath> FakeChoosers::PickFileToLoad(FileKind kind) {
    ++loadsOpened_;
    fileKinds_.push_back(kind);
    return NextAnswer(loads_);
}

std::optional<FilePath> FakeChoosers::PickFileToSave(std::u16string_view proposedName,
                                                     FileKind kind) {
    fileKinds_.push_back(kind);
    proposedNames_.emplace_back(proposedName);
    return NextAnswer(saves_);
}

std::optional<FilePath> FakeChoosers::PickFolder(const std::optional<FilePath>& start) {
    folderStarts_.push_back(start);
    return NextAnswer(folders_);
}

} // namespace petarino::platform
