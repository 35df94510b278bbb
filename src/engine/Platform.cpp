#include "engine/Platform.h"

#include <chrono>
#include <ctime>

namespace {

class TQuietPrompt final : public IPrompt {
public:
    bool WarningOkCancel(const std::string&) override { return true; }
    void ErrorBox(const std::string&) override { }
    void WarningOk(const std::string&, int) override { }
};

class TQuietProgress final : public IProgress {
public:
    void AddMessage(const std::string&) override { }
    void AppendMessage(const std::string&) override { }
    void AddWarning(const std::string&) override { }
    void ClearMessages() override { }
};

class TQuietEvents final : public IPendingEvents {
public:
    void ProcessPendingEvents() override { }
};

class TQuietCursor final : public IBusyCursor {
public:
    void BeginBusy() override { }
    void EndBusy() override { }
};

// Local wall-clock time as a date-time value.
class TSystemClock final : public IClock {
public:
    TDateTime Now() override
    {
        using namespace std::chrono;
        const auto now = system_clock::now();
        const std::time_t t = system_clock::to_time_t(now);
        std::tm local {};
        localtime_r(&t, &local);
        const int ms = static_cast<int>(
            duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
        return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday)
            + EncodeTime(local.tm_hour, local.tm_min, local.tm_sec, ms);
    }
};

TQuietPrompt quietPrompt;
TQuietProgress quietProgress;
TQuietEvents quietEvents;
TQuietCursor quietCursor;
TSystemClock systemClock;

IPrompt* currentPrompt = &quietPrompt;
IProgress* currentProgress = &quietProgress;
IPendingEvents* currentEvents = &quietEvents;
IBusyCursor* currentCursor = &quietCursor;
IClock* currentClock = &systemClock;

} // namespace

void SetPrompt(IPrompt* prompt) { currentPrompt = prompt ? prompt : &quietPrompt; }
void SetProgress(IProgress* progress) { currentProgress = progress ? progress : &quietProgress; }
void SetPendingEvents(IPendingEvents* events) { currentEvents = events ? events : &quietEvents; }
void SetBusyCursor(IBusyCursor* cursor) { currentCursor = cursor ? cursor : &quietCursor; }
void SetClock(IClock* clock) { currentClock = clock ? clock : &systemClock; }

IPrompt& Prompt() { return *currentPrompt; }
IProgress& Progress() { return *currentProgress; }
IPendingEvents& PendingEvents() { return *currentEvents; }
IBusyCursor& BusyCursor() { return *currentCursor; }
IClock& Clock() { return *currentClock; }
