#pragma once

#include "document/DMTable.h"
#include "engine/DateTime.h"
#include "engine/Values.h"
#include "support/ProgressRecorder.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

// A fresh schedule document with scripted prompts and a recorded progress log.
class DocumentFixture : public ::testing::Test {
protected:
    DocumentFixture() { ResetProgramValues(); }

    TFakeUser User;
    TTallivorandaData Data;

    void AddRow(TMemDataSet& table, TField& field, const std::string& value)
    {
        table.Append();
        field.SetAsString(value);
        table.Post();
    }
    void AddTeams(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            AddRow(Data.TeamsData, *Data.FTeam, name);
    }
    void AddLocations(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            AddRow(Data.LocationsData, *Data.FLocation, name);
    }
    void AddTimes(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            AddRow(Data.TimesData, *Data.FTime, name);
    }
    void AddPreference(int teamID, int locationID)
    {
        Data.PreferencesData.Append();
        Data.TeamIDPref->SetAsInteger(teamID);
        Data.LocationIDPref->SetAsInteger(locationID);
        Data.PreferencesData.Post();
    }
    std::vector<std::string> Column(TMemDataSet& table, TField& field)
    {
        std::vector<std::string> values;
        table.First();
        while (!table.Eof()) {
            values.push_back(field.AsString());
            table.Next();
        }
        return values;
    }
};
