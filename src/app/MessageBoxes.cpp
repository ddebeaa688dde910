// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MessageBoxes.h"

#include "resources/StringTable.h"

int CRecordingMessageBoxes::Record(Kind kind, const std::string& text, const std::string& caption,
                                   int defaultCaptionId, unsigned style, int defaultAnswer) {
    asked.push_back(CAsked{kind, text,
                           caption.empty() ? std::string(LookupString(defaultCaptionId)) : caption,
                           style});
    if (answers.empty()) {
        return defaultAnswer;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

int CRecordingMessageBoxes::ShowWarning(void*, const std::string& text, const std::string& caption,
                                        unsigned style) {
    return Record(Kind::Warning, text, caption, strings::kCaptionWarning, style, boxbutton::kOk);
}

int CRecordingMessageBoxes::AskQuestion(void*, const std::string& text, const std::string& caption,
                                        unsigned style) {
    return Record(Kind::Question, text, caption, strings::kCaptionQuestion, style,
                  boxbutton::kYes);
}

int CRecordingMessageBoxes::ShowInformation(void*, const std::string& text,
                                            const std::string& caption, unsigned style) {
    return Record(Kind::Information, text, caption, strings::kCaptionInformation, style,
                  boxbutton::kOk);
}

int CRecordingMessageBoxes::ShowError(void*, const std::string& text, const std::string& caption,
                                      unsigned style) {
    return Record(Kind::Error, text, caption, strings::kCaptionError, style, boxbutton::kOk);
}
