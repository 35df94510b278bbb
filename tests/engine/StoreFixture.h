#pragma once

#include "engine/GameStore.h"
#include "engine/NameSource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Starts every test with an empty store and default settings, and names teams from a list
// standing in for the teams table.
class StoreFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearGames();
        GenerateSettings = TGenerateSettings {};
        SharedPairCount = 0;
        SetNameSources([this](int team) { return NameOf(team); }, {});
    }

    void TearDown() override
    {
        SetNameSources({}, {});
        ClearGames();
        GenerateSettings = TGenerateSettings {};
    }

    // The teams table: count teams named "T1", "T2" ..., and the bye team last when byeTeam.
    void SetTeams(int count, bool byeTeam = false)
    {
        m_teamNames.clear();
        for (int t = 1; t <= count; ++t)
            m_teamNames.push_back("T" + std::to_string(t));
        if (byeTeam)
            m_teamNames.push_back(ByeTeamName);
        TeamCount = static_cast<int>(m_teamNames.size());
        GamesPerRound = TeamCount / 2;
    }

    std::vector<std::string> m_teamNames;

private:
    std::string NameOf(int team) const
    {
        if (team < 1 || team > static_cast<int>(m_teamNames.size()))
            return {};
        const std::string& name = m_teamNames[team - 1];
        return name.empty() ? " " : name;
    }
};
