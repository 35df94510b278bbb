#include "engine/Tracer.h"
#include "engine/ProgressTrace.h"
#include "support/ProgressRecorder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Sets an environment variable for the scope and puts the old value back.
class TEnvironment {
public:
    TEnvironment(const char* name, const std::optional<std::string>& value)
        : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~TEnvironment()
    {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

// A fresh temporary folder with a program folder and a state folder under it.
class Tracer : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root = fs::temp_directory_path()
            / ("tallivoranda-trace-" + std::to_string(getpid()) + "-"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_root);
        fs::create_directories(m_root / "program");
        m_state.emplace("XDG_STATE_HOME", (m_root / "state").string());
    }
    void TearDown() override
    {
        std::error_code error;
        fs::permissions(m_root / "program", fs::perms::owner_all, error);
        fs::remove_all(m_root, error);
        m_state.reset();
    }

    fs::path Program() const { return m_root / "program"; }
    fs::path StateFile() const { return m_root / "state" / "Tallivoranda" / TraceFileName; }

    fs::path m_root;
    std::optional<TEnvironment> m_state;
};

} // namespace

TEST_F(Tracer, WritesEveryLineBesideTheProgramOnce)
{
    {
        std::ofstream(Program() / TraceFileName) << "an earlier run\n";
        TTraceFile trace(TraceFileName, Program().string());
        trace.WriteLine("Tallivoranda");
        trace.WriteLine("Version 7.0.3");
        trace.WriteRule();
        trace.WriteLine("");
        EXPECT_EQ(trace.Lines().size(), 4u);
        EXPECT_EQ(trace.Lines()[2], std::string(42, '-'));
        EXPECT_EQ(ReadAll(Program() / TraceFileName), "an earlier run\n"); // not yet
    }
    EXPECT_EQ(ReadAll(Program() / TraceFileName),
        "Tallivoranda\nVersion 7.0.3\n" + std::string(42, '-') + "\n\n");
    EXPECT_FALSE(fs::exists(StateFile()));
}

TEST_F(Tracer, AnExplicitSaveIsNotRepeatedButLaterLinesAreKept)
{
    const fs::path file = Program() / TraceFileName;
    {
        TTraceFile trace(TraceFileName, Program().string());
        trace.WriteLine("one");
        EXPECT_TRUE(trace.Save());
        EXPECT_EQ(trace.SavedPath(), file.string());
        fs::remove(file);
    }
    EXPECT_FALSE(fs::exists(file)); // nothing new to write
    {
        TTraceFile trace(TraceFileName, Program().string());
        trace.WriteLine("one");
        trace.Save();
        trace.WriteLine("two");
    }
    EXPECT_EQ(ReadAll(file), "one\ntwo\n");
}

TEST_F(Tracer, FallsBackToTheStateFolder)
{
    // A program folder that does not exist cannot take the file, whoever runs the test.
    TTraceFile trace(TraceFileName, (m_root / "missing").string());
    trace.WriteLine("line");
    EXPECT_TRUE(trace.Save());
    EXPECT_EQ(trace.SavedPath(), StateFile().string());
    EXPECT_EQ(ReadAll(StateFile()), "line\n");

    // Nor can a program folder where the name is taken by a folder.
    fs::create_directory(Program() / TraceFileName);
    EXPECT_EQ(WriteTraceFile(Program().string(), TraceFileName, { "again" }), StateFile().string());
    EXPECT_EQ(ReadAll(StateFile()), "again\n");
}

TEST_F(Tracer, FallsBackWhenTheProgramFolderIsReadOnly)
{
    fs::permissions(Program(), fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(Program() / "probe"))
        GTEST_SKIP() << "permissions are not enforced for this user";
    EXPECT_EQ(
        WriteTraceFile(Program().string(), TraceFileName, { "a", "b" }), StateFile().string());
    EXPECT_EQ(ReadAll(StateFile()), "a\nb\n");
    EXPECT_FALSE(fs::exists(Program() / TraceFileName));
}

TEST_F(Tracer, StateFolderFollowsTheEnvironment)
{
    EXPECT_EQ(TraceStateFolder(), (m_root / "state" / "Tallivoranda").string());
    {
        TEnvironment relative("XDG_STATE_HOME", "relative/state");
        TEnvironment home("HOME", "/home/someone");
        EXPECT_EQ(TraceStateFolder(), "/home/someone/.local/state/Tallivoranda");
    }
    {
        TEnvironment unset("XDG_STATE_HOME", std::nullopt);
        TEnvironment home("HOME", "/home/someone");
        EXPECT_EQ(TraceStateFolder(), "/home/someone/.local/state/Tallivoranda");
    }
    {
        TEnvironment unset("XDG_STATE_HOME", std::nullopt);
        TEnvironment noHome("HOME", std::nullopt);
        EXPECT_EQ(TraceStateFolder(), "");
    }
}

TEST_F(Tracer, ATraceThatCannotBeWrittenIsSkippedSilently)
{
    // Both places lie under a regular file, which no user can write into.
    std::ofstream(m_root / "file") << "x";
    TEnvironment state("XDG_STATE_HOME", (m_root / "file" / "state").string());
    EXPECT_EQ(WriteTraceFile((m_root / "file").string(), TraceFileName, { "a" }), "");
    {
        TTraceFile trace(TraceFileName, (m_root / "file").string());
        trace.WriteLine("a");
        EXPECT_NO_THROW(EXPECT_FALSE(trace.Save()));
        EXPECT_EQ(trace.SavedPath(), "");
        trace.WriteLine("b");
    } // the destructor tries again and stays quiet
}

TEST_F(Tracer, TeeGivesWindowAndTraceTheirOwnForms)
{
    TProgressRecorder window;
    TTraceFile trace(TraceFileName, Program().string());
    TProgressTee tee(&window, &trace);

    tee.AddMessage("Assigning times...");
    tee.AppendMessage(" completed.");
    tee.AddWarning("Team A plays twice on 06 Mar 2004");
    EXPECT_EQ(window.Lines(),
        (std::vector<std::string> {
            "Assigning times... completed.", "Warning - Team A plays twice on 06 Mar 2004" }));

    tee.ClearMessages();
    tee.AddMessage("Assigning locations...");
    EXPECT_EQ(window.Lines(), std::vector<std::string> { "Assigning locations..." });
    EXPECT_EQ(trace.Lines(),
        (std::vector<std::string> { "Assigning times...", " completed.",
            "*** Team A plays twice on 06 Mar 2004 ***", "Assigning locations..." }));
}

TEST_F(Tracer, TeeWorksWithoutAWindow)
{
    TTraceFile trace(TraceFileName, Program().string());
    TProgressTee tee(nullptr, &trace);
    tee.AddMessage("Optimising...");
    tee.AddWarning("w");
    tee.ClearMessages();
    EXPECT_EQ(trace.Lines(), (std::vector<std::string> { "Optimising...", "*** w ***" }));
}

TEST(ProgressRecorder, RecordsWhatTheWindowShowsAndRestoresTheDefaults)
{
    IProgress* before = &Progress();
    IPrompt* beforePrompt = &Prompt();
    {
        TFakeUser user(false);
        user.Prompts.Script({ true });
        Progress().AddMessage("Generating...");
        Progress().AppendMessage(" completed.");
        Progress().AddWarning("x");
        EXPECT_TRUE(Prompt().WarningOkCancel("first"));
        EXPECT_FALSE(Prompt().WarningOkCancel("second")); // the default
        Prompt().ErrorBox("bad");
        EXPECT_EQ(user.Recorder.Text(), "Generating... completed.\nWarning - x\n");
        EXPECT_EQ(user.Recorder.Warnings(), std::vector<std::string> { "x" });
        EXPECT_EQ(user.Prompts.Warnings(), (std::vector<std::string> { "first", "second" }));
        EXPECT_EQ(user.Prompts.Errors(), std::vector<std::string> { "bad" });
        Progress().ClearMessages();
        EXPECT_TRUE(user.Recorder.Lines().empty());
        EXPECT_EQ(user.Recorder.Clears(), 1);
    }
    EXPECT_EQ(&Progress(), before);
    EXPECT_EQ(&Prompt(), beforePrompt);
}
