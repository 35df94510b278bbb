#include "engine/SharedSlots.h"

#include "document/DMTable.h"
#include "engine/GameStore.h"
#include "engine/Pairing.h"

#include <vector>

namespace {

// Sets the team-locations table's order for the reading and puts the previous one back.
class TOrderScope {
public:
    TOrderScope(TMemDataSet& table, const std::string& orderBy)
        : m_table(table)
        , m_previous(table.OrderBy())
    {
        m_table.SetOrderBy(orderBy);
    }
    ~TOrderScope()
    {
        try {
            m_table.SetOrderBy(m_previous);
        } catch (...) {
        }
    }
    TOrderScope(const TOrderScope&) = delete;
    TOrderScope& operator=(const TOrderScope&) = delete;

private:
    TMemDataSet& m_table;
    std::string m_previous;
};

} // namespace

void FillSharedSlots()
{
    TTallivorandaData& data = *TallivorandaData;
    const int n = TeamCount;
    const int h = GamesPerRound;
    if (n > MaxTeams)
        throw ERangeError();
    SharedPairCount = 0;
    std::vector<bool> placed(n + 1, false);
    int j = 1;
    int k = h + 1;

    {
        TMemDataSet& prefs = data.PreferencesData;
        TOrderScope order(prefs, "LocationID");
        int previousLocation = 0;
        int previousTeam = 0;
        prefs.First();
        while (!prefs.Eof()) {
            const int team = data.TeamsLookup.PositionOfKey(data.TeamIDPref->AsInteger());
            const int location = data.LocationIDPref->AsInteger();
            prefs.Next();
            // A row of a team already placed (or out of reach) takes no part: a team joins only
            // its first pair, so the slots never hold a team twice.
            if (team < 1 || team > n || placed[team])
                continue;
            if (previousLocation != 0 && previousLocation == location && previousTeam != team) {
                Slots[j++] = static_cast<uint8_t>(previousTeam);
                Slots[k++] = static_cast<uint8_t>(team);
                placed[previousTeam] = placed[team] = true;
                ++SharedPairCount;
                previousLocation = 0;
            } else {
                previousLocation = location;
            }
            previousTeam = team;
        }
    }

    bool firstHalf = true;
    for (int t = 1; t <= n; ++t) {
        if (placed[t])
            continue;
        if (firstHalf)
            Slots[j++] = static_cast<uint8_t>(t);
        else
            Slots[k++] = static_cast<uint8_t>(t);
        firstHalf = !firstHalf;
    }
}
