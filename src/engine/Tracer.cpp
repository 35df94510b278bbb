#include "engine/Tracer.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

bool WriteLines(const fs::path& path, const std::vector<std::string>& lines)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    for (const std::string& line : lines)
        out << line << '\n';
    out.close();
    return !out.fail();
}

} // namespace

std::string TraceStateFolder()
{
    // A relative XDG_STATE_HOME is invalid and ignored, as the base directory rules say.
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && *state && fs::path(state).is_absolute())
        return (fs::path(state) / "Tallivoranda").string();
    const char* home = std::getenv("HOME");
    if (home && *home)
        return (fs::path(home) / ".local" / "state" / "Tallivoranda").string();
    return {};
}

std::string WriteTraceFile(const std::string& programDir, const std::string& fileName,
    const std::vector<std::string>& lines) noexcept
{
    try {
        if (!programDir.empty()) {
            const fs::path beside = fs::path(programDir) / fileName;
            if (WriteLines(beside, lines))
                return beside.string();
        }
        const std::string folder = TraceStateFolder();
        if (folder.empty())
            return {};
        std::error_code error;
        fs::create_directories(folder, error);
        const fs::path state = fs::path(folder) / fileName;
        if (!error && WriteLines(state, lines))
            return state.string();
    } catch (...) {
        // A trace that cannot be written is skipped; the run itself went well.
    }
    return {};
}

TTraceFile::TTraceFile(std::string fileName, std::string programDir)
    : m_fileName(std::move(fileName))
    , m_programDir(std::move(programDir))
{
}

TTraceFile::~TTraceFile()
{
    if (!m_saved || m_savedLines != m_lines.size())
        Save();
}

void TTraceFile::WriteLine(const std::string& text)
{
    m_lines.push_back(text);
}

void TTraceFile::WriteRule()
{
    WriteLine(std::string(42, '-'));
}

bool TTraceFile::Save() noexcept
{
    m_saved = true;
    m_savedLines = m_lines.size();
    const std::string path = WriteTraceFile(m_programDir, m_fileName, m_lines);
    if (path.empty())
        return false;
    m_savedPath = path;
    return true;
}
