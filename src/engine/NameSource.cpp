#include "engine/NameSource.h"

#include <utility>

namespace {

TNameLookup teamNames;
TNameLookup locationNames;

} // namespace

void SetNameSources(TNameLookup teamName, TNameLookup locationName)
{
    teamNames = std::move(teamName);
    locationNames = std::move(locationName);
}

std::string TeamName(int team)
{
    return teamNames ? teamNames(team) : std::string();
}

std::string LocationName(int key)
{
    return locationNames ? locationNames(key) : std::string();
}
