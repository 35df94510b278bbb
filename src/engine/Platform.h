#pragma once

#include "engine/DateTime.h"

#include <string>

// The small interfaces through which the core reaches the user. The GUI implements them with
// Qt, the command-line tool with standard streams, and tests with scripted fakes. Each has a
// quiet headless default so that the core runs without any of them installed.

// Message boxes with fixed texts.
class IPrompt {
public:
    virtual ~IPrompt() = default;
    // A warning box with OK and Cancel; true for OK. Closing the box counts as Cancel.
    virtual bool WarningOkCancel(const std::string& text) = 0;
    // An error box with an OK button.
    virtual void ErrorBox(const std::string& text) = 0;
    // A warning box with an OK button, and a Help button for a help context above 0.
    virtual void WarningOk(const std::string& text, int helpContext) = 0;
};

// The progress lines of a long operation ("Assigning times..." then " completed.").
class IProgress {
public:
    virtual ~IProgress() = default;
    virtual void AddMessage(const std::string& text) = 0;
    virtual void AppendMessage(const std::string& text) = 0;
    virtual void AddWarning(const std::string& text) = 0;
    virtual void ClearMessages() = 0;
};

// Lets the toolkit process pending window messages during long work.
class IPendingEvents {
public:
    virtual ~IPendingEvents() = default;
    virtual void ProcessPendingEvents() = 0;
};

// The hourglass cursor around long operations.
class IBusyCursor {
public:
    virtual ~IBusyCursor() = default;
    virtual void BeginBusy() = 0;
    virtual void EndBusy() = 0;
};

// The current date and time.
class IClock {
public:
    virtual ~IClock() = default;
    virtual TDateTime Now() = 0;
};

// Installed implementations; passing nullptr restores the headless default.
// Headless defaults: prompts answer OK and ignore errors, progress and events do nothing,
// the clock reads the system time.
void SetPrompt(IPrompt* prompt);
void SetProgress(IProgress* progress);
void SetPendingEvents(IPendingEvents* events);
void SetBusyCursor(IBusyCursor* cursor);
void SetClock(IClock* clock);

IPrompt& Prompt();
IProgress& Progress();
IPendingEvents& PendingEvents();
IBusyCursor& BusyCursor();
IClock& Clock();

// Shows the busy cursor for the lifetime of the object.
class TBusyScope {
public:
    TBusyScope() { BusyCursor().BeginBusy(); }
    ~TBusyScope() { BusyCursor().EndBusy(); }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;
};

inline void ProcessPendingEvents() { PendingEvents().ProcessPendingEvents(); }
