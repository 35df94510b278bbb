#pragma once

#include "engine/Platform.h"

#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

// Records the progress lines as the progress window shows them: a message is a new line, an
// appended text extends the last line, a warning is a new line "Warning - " + text.
class TProgressRecorder final : public IProgress {
public:
    void AddMessage(const std::string& text) override { m_lines.push_back(text); }

    void AppendMessage(const std::string& text) override
    {
        if (m_lines.empty())
            m_lines.push_back(text);
        else
            m_lines.back() += text;
    }

    void AddWarning(const std::string& text) override
    {
        m_lines.push_back("Warning - " + text);
        m_warnings.push_back(text);
    }

    void ClearMessages() override
    {
        m_lines.clear();
        ++m_clears;
    }

    // The visible lines.
    const std::vector<std::string>& Lines() const { return m_lines; }
    // The visible lines, each ended by "\n".
    std::string Text() const
    {
        std::string text;
        for (const std::string& line : m_lines)
            text += line + "\n";
        return text;
    }
    // Every warning text since creation, clears notwithstanding, without the prefix.
    const std::vector<std::string>& Warnings() const { return m_warnings; }
    int Clears() const { return m_clears; }

private:
    std::vector<std::string> m_lines;
    std::vector<std::string> m_warnings;
    int m_clears = 0;
};

// Answers OK/Cancel warnings from a script, then with a default answer, and records every
// text shown.
class TScriptedPrompt final : public IPrompt {
public:
    explicit TScriptedPrompt(bool defaultAnswer = true)
        : m_default(defaultAnswer)
    {
    }

    // Queue the answers of the next warnings, in order; true is OK.
    void Script(std::initializer_list<bool> answers)
    {
        m_answers.insert(m_answers.end(), answers.begin(), answers.end());
    }
    void SetDefaultAnswer(bool answer) { m_default = answer; }

    bool WarningOkCancel(const std::string& text) override
    {
        m_warnings.push_back(text);
        if (m_answers.empty())
            return m_default;
        const bool answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    void ErrorBox(const std::string& text) override { m_errors.push_back(text); }
    void WarningOk(const std::string& text, int helpContext) override
    {
        m_notices.push_back(text);
        m_helpContexts.push_back(helpContext);
    }

    // The texts of the OK/Cancel warnings, in the order shown.
    const std::vector<std::string>& Warnings() const { return m_warnings; }
    const std::vector<std::string>& Errors() const { return m_errors; }
    // The texts of the OK-only warnings and their help contexts.
    const std::vector<std::string>& Notices() const { return m_notices; }
    const std::vector<int>& HelpContexts() const { return m_helpContexts; }
    // Scripted answers not yet used.
    std::size_t Unanswered() const { return m_answers.size(); }

private:
    std::deque<bool> m_answers;
    bool m_default;
    std::vector<std::string> m_warnings;
    std::vector<std::string> m_errors;
    std::vector<std::string> m_notices;
    std::vector<int> m_helpContexts;
};

// Installs a progress for its lifetime and restores the one installed before.
class TProgressInstaller {
public:
    explicit TProgressInstaller(IProgress& progress)
        : m_previous(&Progress())
    {
        SetProgress(&progress);
    }
    ~TProgressInstaller() { SetProgress(m_previous); }
    TProgressInstaller(const TProgressInstaller&) = delete;
    TProgressInstaller& operator=(const TProgressInstaller&) = delete;

private:
    IProgress* m_previous;
};

// Installs a prompt for its lifetime and restores the one installed before.
class TPromptInstaller {
public:
    explicit TPromptInstaller(IPrompt& prompt)
        : m_previous(&Prompt())
    {
        SetPrompt(&prompt);
    }
    ~TPromptInstaller() { SetPrompt(m_previous); }
    TPromptInstaller(const TPromptInstaller&) = delete;
    TPromptInstaller& operator=(const TPromptInstaller&) = delete;

private:
    IPrompt* m_previous;
};

// A recorder and a scripted prompt, both installed while the object lives:
//   TFakeUser user; user.Prompts.Script({ false }); ...; EXPECT_EQ(user.Recorder.Lines(), ...);
struct TFakeUser {
    explicit TFakeUser(bool defaultAnswer = true)
        : Prompts(defaultAnswer)
    {
    }

    TProgressRecorder Recorder;
    TScriptedPrompt Prompts;

private:
    TProgressInstaller m_progressInstaller { Recorder };
    TPromptInstaller m_promptInstaller { Prompts };
};
