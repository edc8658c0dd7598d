// The settings the program keeps for its user between runs (QSettings of
// the organisation "Quelvo", application "Quelvo Tools"): the chart
// preferences. A first start, or one after ForgetUserSettings, finds none
// and keeps the defaults.
#pragma once

struct TChartPreferences;

// Reads the kept preferences; values missing or out of range keep the
// defaults the record holds.
void LoadChartPreferences(TChartPreferences &preferences);
void StoreChartPreferences(const TChartPreferences &preferences);
// Removes every kept setting of the program.
void ForgetUserSettings();
