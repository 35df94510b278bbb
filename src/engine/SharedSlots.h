#pragma once

// The slot order of the Shared location method: two teams that share a location take partner
// slots, so that they are never both at home in the same round. Reads the team locations in
// location order and sets SharedPairCount. A team joins only the first pair it is found in.
void FillSharedSlots();
