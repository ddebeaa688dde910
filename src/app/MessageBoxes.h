// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <string>
#include <vector>

/// Style flags of a message box, as the callers pass them.
namespace boxstyle {
constexpr unsigned kErrorIcon = 16;
constexpr unsigned kQuestionYesNo = 36;
constexpr unsigned kExclamationIcon = 48;
constexpr unsigned kInformationIcon = 64;
} // namespace boxstyle

/// Buttons a message box can return.
namespace boxbutton {
constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kYes = 6;
constexpr int kNo = 7;
} // namespace boxbutton

/// The four message-box routines. The windows implement them with real
/// modal boxes; batch mode and tests use CRecordingMessageBoxes. An empty
/// caption means the routine's own default caption.
class CMessageBoxes {
public:
    virtual ~CMessageBoxes() = default;
    virtual int ShowWarning(void* owner, const std::string& text, const std::string& caption,
                            unsigned style) = 0;
    virtual int AskQuestion(void* owner, const std::string& text, const std::string& caption,
                            unsigned style) = 0;
    virtual int ShowInformation(void* owner, const std::string& text, const std::string& caption,
                                unsigned style) = 0;
    virtual int ShowError(void* owner, const std::string& text, const std::string& caption,
                          unsigned style) = 0;
};

/// Shows nothing: remembers every box asked for and answers from a queue
/// of next answers (OK, or Yes for questions, when the queue is empty).
class CRecordingMessageBoxes : public CMessageBoxes {
public:
    enum class Kind { Warning, Question, Information, Error };
    struct CAsked {
        Kind kind;
        std::string text;
        std::string caption; ///< the caption the box would show
        unsigned style;
    };

    int ShowWarning(void* owner, const std::string& text, const std::string& caption,
                    unsigned style) override;
    int AskQuestion(void* owner, const std::string& text, const std::string& caption,
                    unsigned style) override;
    int ShowInformation(void* owner, const std::string& text, const std::string& caption,
                        unsigned style) override;
    int ShowError(void* owner, const std::string& text, const std::string& caption,
                  unsigned style) override;

    void PushAnswer(int button) { answers.push_back(button); }
    const std::vector<CAsked>& GetAsked() const { return asked; }
    void Clear() { asked.clear(), answers.clear(); }

private:
    int Record(Kind kind, const std::string& text, const std::string& caption,
               int defaultCaptionId, unsigned style, int defaultAnswer);

    std::vector<CAsked> asked;
    std::deque<int> answers;
};
