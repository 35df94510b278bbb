#pragma once

#include <functional>
#include <string>

// The engine names teams and locations through lookups that the schedule document installs,
// so that the store and the algorithms do not depend on its tables. Until a source is
// installed every name is empty.

// A name by team number (1-based position in the teams table) or by location key.
using TNameLookup = std::function<std::string(int)>;

// An empty lookup restores the default for that kind of name.
void SetNameSources(TNameLookup teamName, TNameLookup locationName);

// The name of the team row at that position: empty when there is no such row, a single space
// when the row's name is empty.
std::string TeamName(int team);

// The name of the location with that key: empty for 0, negative or unknown keys.
std::string LocationName(int key);
