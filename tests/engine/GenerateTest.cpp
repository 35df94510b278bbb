#include "engine/Generate.h"
#include "engine/DatePeriod.h"
#include "engine/GameTime.h"
#include "engine/ScheduleTable.h"
#include "support/DocumentFixture.h"

#include <string>

using Strings = std::vector<std::string>;

class Generation : public DocumentFixture {
protected:
    Generation() { ClearGames(); }
    ~Generation() override
    {
        FreeEditPeriod();
        ClearGames();
    }

    void Teams(int count)
    {
        for (int t = 1; t <= count; ++t)
            AddRow(Data.TeamsData, *Data.FTeam, "Team " + std::to_string(t));
        Data.BalanceByeTeam();
    }
    // Saturdays from 6 March 2004, perSaturday games at 17:00 on each.
    void Saturdays(int weeks, int perSaturday)
    {
        AddTimes({ "17:00" });
        CreateEditPeriod();
        TPeriod& p = *EditPeriod;
        p.FromDate = EncodeDate(2004, 3, 6);
        p.ToDate = p.FromDate + 7 * (weeks - 1);
        p.SetTimeCount(1);
        p.Times(1) = EncodeTime(17, 0, 0, 0);
        p.GameCounts(7, 1) = perSaturday;
        p.GameDays.Include(7);
        Data.CalendarData.Append();
        Data.PeriodToRecord(p);
        Data.CalendarData.Post();
    }
    // Runs the driver with the dialog answered by edit (which gets the shown dialog), then OK.
    void Generate(const std::function<void(TGenerateDialogLogic&)>& edit = {}, bool ok = true)
    {
        GenerateSchedule(Engine, Dialog, [&](TGenerateDialogLogic& dialog) {
            dialog.FormShow();
            if (edit)
                edit(dialog);
            if (ok)
                dialog.btnOKClick();
            return ok;
        });
    }
    int ShownRounds()
    {
        TeamCount = Data.TeamsData.RecordCount();
        GamesPerRound = TeamCount / 2;
        Dialog.FormShow();
        return Dialog.RoundsPosition;
    }

    TEngineObjects Engine;
    TGenerateDialogLogic Dialog;
};

TEST_F(Generation, AutomaticRoundsUseUpTheGamePlaces)
{
    Teams(5);
    EXPECT_EQ(ShownRounds(), 5) << "no calendar: one single round robin";
    Saturdays(10, 4);
    ASSERT_EQ(GameTimes()->Total(), 40);
    EXPECT_EQ(ShownRounds(), 14);
    EXPECT_TRUE(Dialog.SkipByesEnabled);
    Dialog.chkSkipByesClick(true);
    EXPECT_EQ(Dialog.RoundsPosition, 20);
    EXPECT_FALSE(Dialog.RoundsEnabled);
    Dialog.chkAutoRoundsClick(false);
    EXPECT_TRUE(Dialog.RoundsEnabled);
    EXPECT_EQ(Dialog.RoundsPosition, GenerateSettings.Rounds);
}

TEST_F(Generation, AutomaticRoundsAreCappedAt99)
{
    Teams(4);
    Saturdays(60, 4); // 240 places for 2 games a round
    EXPECT_EQ(ShownRounds(), 99);
}

TEST_F(Generation, SkipByesNeedsAByeTeam)
{
    Teams(4);
    GenerateSettings.SkipByes = true;
    ShownRounds();
    EXPECT_FALSE(Dialog.SkipByesEnabled);
    EXPECT_FALSE(Dialog.Copy.SkipByes);
}

TEST_F(Generation, OneTeamAndTheByeKeepTheSingleRoundRobinUnderSkipByes)
{
    Teams(1);
    Saturdays(4, 1);
    GenerateSettings.SkipByes = true;
    EXPECT_EQ(ShownRounds(), 1);
}

TEST_F(Generation, EditsAreHeldToTheUpDownRanges)
{
    Teams(4);
    ShownRounds();
    EXPECT_EQ(Dialog.spnRoundsExit("150"), "99");
    EXPECT_EQ(Dialog.spnRoundsExit("abc"), "99");
    EXPECT_EQ(Dialog.spnRoundsExit(" 7 "), "7");
    EXPECT_EQ(Dialog.spnDaysBetweenGamesExit("9"), "6");
    EXPECT_EQ(Dialog.spnDaysBetweenGamesExit("-1"), "0");
}

TEST_F(Generation, MethodsWithoutTheirDetailsWarn)
{
    Teams(4);
    ShownRounds();
    Dialog.cbxTimeTypeChange(ttFair);
    Dialog.cbxLocationTypeChange(ltHome);
    Dialog.cbxLocationTypeChange(ltInOrder);
    Dialog.cbxLocationTypeChange(ltManual);
    EXPECT_EQ(User.Prompts.Notices(),
        (Strings { "Playing dates and times have not been entered yet.\nClick on Help for more "
                   "information.",
            "Team locations have not been entered yet.\nClick on Help for more information.",
            "Locations have not been entered yet.\nClick on Help for more information." }));
    EXPECT_EQ(User.Prompts.HelpContexts(), (std::vector<int> { 43, 46, 44 }));
    EXPECT_EQ(Dialog.Copy.LocationType, ltManual);
    EXPECT_EQ(GenerateSettings.TimeType, ttManual) << "only OK writes the copy back";
}

TEST_F(Generation, WritesTheProgressLinesInOrder)
{
    Teams(5);
    AddLocations({ "Park" });
    Saturdays(10, 3);
    Generate([](TGenerateDialogLogic& d) {
        d.cbxTimeTypeChange(ttInOrder);
        d.cbxLocationTypeChange(ltInOrder);
    });
    EXPECT_EQ(User.Recorder.Lines(),
        (Strings { "Scheduling started...", "Optimising streaks... completed.",
            "Assigning times... completed.", "Assigning locations... completed.",
            "Warning - 20 locations are double-booked.", "Scheduling completed." }));
    EXPECT_TRUE(Data.ScheduleExists);
    EXPECT_TRUE(Data.Modified);
    EXPECT_TRUE(Data.ScheduleSource.Enabled);
    EXPECT_EQ(RoundCount, 10);
    EXPECT_EQ(GenerateSettings.Rounds, 10);
    EXPECT_NE(GetDate(1, 1), 0.0);
}

TEST_F(Generation, CancelChangesNothing)
{
    Teams(4);
    Generate();
    const TGame first = Games(1, 1);
    const TGenerateSettings settings = GenerateSettings;
    User.Recorder.ClearMessages();
    Generate([](TGenerateDialogLogic& d) { d.spnRoundsExit("7"); }, false);
    EXPECT_TRUE(User.Recorder.Lines().empty());
    EXPECT_EQ(GenerateSettings.Rounds, settings.Rounds);
    EXPECT_EQ(Games(1, 1).HomeTeam, first.HomeTeam);
    EXPECT_TRUE(Data.ScheduleExists);
}

TEST_F(Generation, ACancelledGameWarnsAndIsResetByRegenerating)
{
    Teams(4);
    Generate();
    SetStatus(2, 1, gsCancelled);
    Generate();
    ASSERT_EQ(User.Prompts.Notices().size(), 1u);
    EXPECT_EQ(User.Prompts.Notices()[0],
        "Some games have been manually modified. These will be "
        "deleted \nif you regenerate the schedule.");
    EXPECT_EQ(GetStatus(2, 1), gsAuto);
}

TEST_F(Generation, RoundsZeroByHandPairsOneCycleAndShowsNothing)
{
    Teams(4);
    Saturdays(4, 2);
    Generate([](TGenerateDialogLogic& d) {
        d.chkAutoRoundsClick(false);
        d.spnRoundsExit("0");
        d.cbxTimeTypeChange(ttInOrder);
    });
    EXPECT_EQ(RoundCount, 0);
    EXPECT_EQ(StoredRounds(), 3);
    EXPECT_NE(GetHomeTeam(3, 1), 0);
    EXPECT_EQ(GetDate(1, 1), 0.0);
    GamesToTable();
    EXPECT_EQ(Data.ScheduleData.RecordCount(), 0);
}

TEST_F(Generation, AnOddTeamsTableIsBalancedBeforePairing)
{
    AddTeams({ "A", "B", "C" }); // as a hand-edited file could leave it
    Generate();
    EXPECT_EQ(Data.TeamsData.RecordCount(), 4);
    EXPECT_TRUE(Data.HasByeTeam());
    EXPECT_EQ(TeamCount, 4);
}
