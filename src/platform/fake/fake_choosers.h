// Choosers that answer from a script, one queue a chooser, and record how each was opened.
// A chooser without a scripted answer is cancelled.
#pragma once

#include "platform/choosers.h"

#include <deque>
#include <string>
#include <vector>

namespace petarino::platform {

class FakeChoosers final : public Choosers {
public:
    std::optional<Font> PickFont(const Font& start) override;
    std::optional<Color> PickColor(Color start) override;
    std::optional<FilePath> PickFileToLoad(FileKind kind) override;
    std::optional<FilePath> PickFileToSave(std::u16string_view proposedName,
                                           FileKind kind) override;
    std::optional<FilePath> PickFolder(const std::optional<FilePath>& start) override;

    void AnswerFont(std::optional<Font> font) { fonts_.push_back(std::move(font)); }
    void AnswerColor(std::optional<Color> color) { colors_.push_back(color); }
    void AnswerLoad(std::optional<FilePath> path) { loads_.push_back(std::move(path)); }
    void AnswerSave(std::optional<FilePath> path) { saves_.push_back(std::move(path)); }
    void AnswerFolder(std::optional<FilePath> folder) { folders_.push_back(std::move(folder)); }

    const std::vector<Font>& FontStarts() const { return fontStarts_; }
    const std::vector<Color>& ColorStarts() const { return colorStarts_; }
    int LoadsOpened() const { return loadsOpened_; }
    const std::vector<std::u16string>& ProposedNames() const { return proposedNames_; }
    // The kind of every file chooser opened, loads and saves alike.
    const std::vector<FileKind>& FileKinds() const { return fileKinds_; }
    // The start of every folder chooser opened, nullopt where none was given.
    const std::vector<std::optional<FilePath>>& FolderStarts() const { return folderStarts_; }

private:
    std::deque<std::optional<Font>> fonts_;
    std::deque<std::optional<Color>> colors_;
    std::deque<std::optional<FilePath>> loads_;
    std::deque<std::optional<FilePath>> saves_;
    std::deque<std::optional<FilePath>> folders_;
    std::vector<Font> fontStarts_;
    std::vector<Color> colorStarts_;
    int loadsOpened_ = 0;
    std::vector<std::u16string> proposedNames_;
    std::vector<FileKind> fileKinds_;
    std::vector<std::optional<FilePath>> folderStarts_;
};

} // namespace petarino::platform
