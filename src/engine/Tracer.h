#pragma once

#include <string>
#include <vector>

// The trace file's name; the main window creates its trace with it.
inline constexpr const char* TraceFileName = "TallivorandaTrace.txt";

// Where a trace goes when the program's folder is not writable: $XDG_STATE_HOME/Tallivoranda,
// or ~/.local/state/Tallivoranda; empty when neither can be named.
std::string TraceStateFolder();

// Writes the lines (LF line ends) to programDir/fileName, replacing an earlier file; when that
// fails, to the state folder (created when missing). Returns the path written, empty when the
// trace could be written nowhere. Never throws.
std::string WriteTraceFile(const std::string& programDir, const std::string& fileName,
    const std::vector<std::string>& lines) noexcept;

// Collects every progress message of a run and writes them once at the end, beside the
// program or in the user's state folder.
class TTraceFile {
public:
    TTraceFile(std::string fileName, std::string programDir);
    // Saves unless nothing was written since the last Save. Never throws.
    ~TTraceFile();
    TTraceFile(const TTraceFile&) = delete;
    TTraceFile& operator=(const TTraceFile&) = delete;

    void WriteLine(const std::string& text);
    // A line of 42 "-".
    void WriteRule();

    const std::vector<std::string>& Lines() const { return m_lines; }

    // Writes every line so far; false when the trace could be written nowhere.
    bool Save() noexcept;
    // The path of the last successful Save; empty before.
    const std::string& SavedPath() const { return m_savedPath; }

private:
    std::string m_fileName;
    std::string m_programDir;
    std::vector<std::string> m_lines;
    std::string m_savedPath;
    bool m_saved = false;
    std::size_t m_savedLines = 0;
};
