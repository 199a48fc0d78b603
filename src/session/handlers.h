#pragma once

#include "state/context.h"
#include "state/task.h"

namespace korvex {

// The handlers that order the loads of more than one list, and the loads together with
// the links between their lists. Each load reads what the one before it filled.

// LOGIN: the version gate and the log-in, then the line, the radar and the live list.
Task<> spSkinXFormButton1Click(Context& ctx);
// Refresh: reloads the line and marks again the rows that are on the radar.
Task<> spSkinXFormButton2Click(Context& ctx);
// One tick of the one-second timer: the countdown and, at zero, the live reload.
Task<> Timer1Timer(Context& ctx);
// The tick's countdown alone, for a tick that comes while another action runs: true when
// the live reload has fallen due, which then waits for that action.
bool countDownOnly(Context& ctx);
// The reload of a tick that showed 0.
Task<> reloadLiveOnTimer(Context& ctx);

// "Reload exchange figures": the radar load, then the live load, with their links.
Task<> reloadExchange(Context& ctx);
// A double-click on RB: the radar action, then the row and any new signals remembered.
Task<> rememberedRadarAction(Context& ctx, int col, int row);
// The radar load, then the line rows on the radar marked.
Task<> loadRadarWithLineMarks(Context& ctx);
// The live load, then the radar's figures copied into it and its radar rows marked live.
Task<> loadLiveWithRadarFigures(Context& ctx);

}  // namespace korvex
