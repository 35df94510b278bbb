#pragma once

#include "engine/GameStore.h"

#include <functional>
#include <memory>
#include <string>

class TfrmOptimise;
class TTimeSummary;
class TLocationSummary;

// The generate dialog's rules without the window: the window (or the command-line tool)
// shows these values in its controls and forwards its events here. The dialog works on its
// own copy of the generation settings, written back only by OK.
class TGenerateDialogLogic {
public:
    static constexpr int MaxRounds = 99;
    static constexpr int MaxDaysBetweenGames = 6;
    static constexpr int TimesHelpContext = 43;
    static constexpr int LocationsHelpContext = 44;
    static constexpr int TeamLocationsHelpContext = 46;

    TGenerateSettings Copy;

    // Control state.
    bool AutoRoundsChecked = true;
    int RoundsPosition = 0; // updRounds, 0..99
    bool RoundsEnabled = false;
    bool RoundsGreyed = true; // spnRounds shows the button-face colour
    bool SkipByesEnabled = false;
    int DaysBetweenGamesPosition = 0; // updDaysBetweenGames, 0..6

    void FormShow();
    void UpdateAutoRounds();
    bool HasModifiedGames() const;

    void chkAutoRoundsClick(bool checked);
    void chkSkipByesClick(bool checked);
    // The edit's text as the up-down's position; returns the text the edit shows afterwards.
    std::string spnRoundsExit(const std::string& text);
    std::string spnDaysBetweenGamesExit(const std::string& text);
    void cbxTimeTypeChange(int index);
    void cbxLocationTypeChange(int index);
    void btnOKClick();

    static int ClampRounds(int rounds);
    static int ClampDaysBetweenGames(int days);
};

// The engine objects that the main window (or the command-line tool) creates once.
struct TEngineObjects {
    TEngineObjects();
    ~TEngineObjects();
    TEngineObjects(const TEngineObjects&) = delete;
    TEngineObjects& operator=(const TEngineObjects&) = delete;

    std::unique_ptr<TfrmOptimise> Optimiser;
    std::unique_ptr<TTimeSummary> TimeSummary;
    std::unique_ptr<TLocationSummary> LocationSummary;
};

// The generation driver: counts the teams, shows the dialog (showDialog returns true for OK,
// having run the dialog's btnOKClick), then pairs, optimises the streaks and assigns times
// and locations, writing the progress lines. Whatever step fails, the grid's data source is
// enabled again and the busy cursor ends. showProgress shows the progress window.
void GenerateSchedule(TEngineObjects& engine, TGenerateDialogLogic& dialog,
    const std::function<bool(TGenerateDialogLogic&)>& showDialog,
    const std::function<void()>& showProgress = {});
