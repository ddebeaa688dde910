// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/RenameCore.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

/// A front end that records what the core tells the user (messages, error
/// lists, console lines and notices), answers questions as told, hands out
/// a temporary file name and holds a text editor of given lines.
class CRecordingFrontEnd : public CRenameFrontEnd {
public:
    struct CMessage {
        MessageKind kind;
        std::string text;
    };
    std::vector<CMessage> messages;
    std::vector<std::vector<CRenameFailure>> errorLists;
    std::vector<std::string> consoleLines;
    /// The lines of the text editor, the first line first.
    std::vector<std::string> editorLines;
    /// The answer to every question; the other boxes answer OK.
    int answer = msgbox::kYes;
    /// What the save dialog returns (empty: cancelled).
    std::string chosenFile;
    /// What MakeTempFileName returns, after calling onMakeTempFileName if set.
    std::string tempFile;
    std::function<void()> onMakeTempFileName;
    int optionsChanged = 0;
    int undoNotices = 0;

    int ShowMessage(MessageKind kind, const std::string& text, int /*style*/) override {
        messages.push_back(CMessage{kind, text});
        return kind == MessageKind::Question ? answer : msgbox::kOk;
    }
    void ShowErrorList(const std::vector<CRenameFailure>& failures) override {
        errorLists.push_back(failures);
    }
    std::string ChooseSaveFile(SaveFileKind /*kind*/) override { return chosenFile; }
    bool GetEditorLine(int index, std::string& line) override {
        if (index < 0 || static_cast<std::size_t>(index) >= editorLines.size()) {
            return false;
        }
        line = editorLines[static_cast<std::size_t>(index)];
        return true;
    }
    void OnOptionsChanged() override { ++optionsChanged; }
    void OnUndoStateChanged() override { ++undoNotices; }
    void WriteConsoleLine(const std::string& text) override { consoleLines.push_back(text); }
    std::string MakeTempFileName() override {
        if (onMakeTempFileName) {
            onMakeTempFileName();
        }
        return tempFile;
    }

    /// Gives listed file i the name newNames[i]: the editor holds the names,
    /// the name rule replaces every name by "<T>" and the extension rule
    /// removes the extension.
    void NameByEditorLines(CRenameOptions& options, const std::vector<std::string>& newNames) {
        editorLines = newNames;
        options.name = CNameRuleBlock{};
        options.name.replaceWithOn = true;
        options.name.replaceWithText = "<T>";
        options.extension = CNameRuleBlock{};
        options.extension.replaceWithOn = true;
        options.extension.replaceWithText = "";
    }

    /// The text of the last message; empty when there was none.
    std::string LastMessage() const { return messages.empty() ? "" : messages.back().text; }
    /// The texts of the questions, in the order they were asked.
    std::vector<std::string> Questions() const {
        std::vector<std::string> texts;
        for (const CMessage& message : messages) {
            if (message.kind == MessageKind::Question) {
                texts.push_back(message.text);
            }
        }
        return texts;
    }
};
