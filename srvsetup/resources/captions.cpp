#include "srvsetup/resources/captions.h"

#include "srvsetup/resources/resource.h"

namespace {

template <std::size_t N>
constexpr CaptionPass Pass(const CaptionAssignment (&steps)[N]) {
  return CaptionPass{steps, N};
}

// The main dialog has no control IDOK; its step stays, without effect, like any missing control.
const CaptionAssignment kMainSteps[] = {
    {IDC_SERVER_NAME_LABEL, IDS_SERVER_NAME},
    {IDC_GAME_OPTIONS_GROUP, IDS_GAME_OPTIONS},
    {IDC_GAME_TYPE_LABEL, IDS_GAME_TYPE},
    {IDC_HEALTH_DROP, IDS_HEALTH_DROP},
    {IDC_REALISTIC_MODE, IDS_REALISTIC_MODE},
    {IDC_FAST_RUN_SPEED, IDS_FAST_RUN_SPEED},
    {IDC_TEAM_DAMAGE, IDS_TEAM_DAMAGE},
    {IDC_HEAL_RATE_LABEL, IDS_HEAL_RATE},
    {IDC_START_MAP_LABEL, IDS_START_MAP},
    {IDC_MAP_ROTATION_LABEL, IDS_MAP_ROTATION},
    {IDC_NOTICE, IDS_NOTICE},
    {IDC_MAX_PLAYERS_LABEL, IDS_MAX_PLAYERS},
    {IDC_TIME_LIMIT_LABEL, IDS_TIME_LIMIT},
    {IDC_FRAG_LIMIT_LABEL, IDS_FRAG_LIMIT},
    {IDC_MAP_ROTATION_TIME_LABEL, IDS_MAP_ROTATION_TIME},
    {IDC_ROUND_RESET_TIME_LABEL, IDS_ROUND_RESET_TIME},
    {IDC_TEAM_SPAWN_DELAY_LABEL, IDS_TEAM_SPAWN_DELAY},
    {IDC_INACTIVE_SPECTATE_LABEL, IDS_INACTIVE_SPECTATE},
    {IDC_INACTIVE_KICK_LABEL, IDS_INACTIVE_KICK},
    {IDC_ADDITIONAL_SETTINGS_LABEL, IDS_ADDITIONAL_SETTINGS},
    {IDC_USE_GAMESPY, IDS_USE_GAMESPY},
    {IDC_ADVANCED, IDS_ADVANCED},
    {IDC_SET_DEFAULTS, IDS_SET_DEFAULTS},
    {IDC_RUN_SERVER, IDS_RUN_SERVER},
    {IDOK, IDS_OK},
    {IDCANCEL, IDS_CANCEL},
    {IDC_SELECT_MAP, IDS_SELECT_MAP},
    {IDC_SETUP_ROTATION, IDS_SETUP_ROTATION},
    {IDC_SERVER_OPTIONS_GROUP, IDS_WARNING_TITLE},
};

const CaptionAssignment kAdvancedSteps[] = {
    {IDC_INVULNERABLE_TIME_LABEL, IDS_INVULNERABLE_TIME},
    {IDC_TEAM_KILL_WARNING_LABEL, IDS_TEAM_KILL_WARNING},
    {IDC_TEAM_KILL_KICK_LABEL, IDS_TEAM_KILL_KICK},
    {IDC_TEAM_SWITCH_DELAY_LABEL, IDS_TEAM_SWITCH_DELAY},
    {IDC_GRAVITY_LABEL, IDS_GRAVITY},
    {IDC_ALLOW_JOIN_TIME_LABEL, IDS_ALLOW_JOIN_TIME},
    {IDC_PRIVATE_CLIENTS_LABEL, IDS_PRIVATE_CLIENTS},
    {IDC_PASSWORD_LABEL, IDS_PASSWORD},
    {IDC_KEYWORDS_LABEL, IDS_KEYWORDS},
    {IDC_NET_PORT_LABEL, IDS_NET_PORT},
    {IDC_MIN_PING_LABEL, IDS_MIN_PING},
    {IDC_MAX_PING_LABEL, IDS_MAX_PING},
    {IDC_MAX_RATE_LABEL, IDS_MAX_RATE},
    {IDC_PURE, IDS_PURE},
    {IDC_ALLOW_VOTING, IDS_ALLOW_VOTING},
    {IDC_FLOOD_PROTECT, IDS_FLOOD_PROTECT},
    {IDC_FORCE_TEAM_SPECTATE, IDS_FORCE_TEAM_SPECTATE},
    {IDC_FORCE_READY, IDS_FORCE_READY},
    {IDC_FORCE_SPAWN, IDS_FORCE_SPAWN},
    {IDC_NO_FALLING_DAMAGE, IDS_NO_FALLING_DAMAGE},
    {IDC_INFINITE_AMMO, IDS_INFINITE_AMMO},
    {IDC_LEAN_WHILE_RUNNING, IDS_LEAN_WHILE_RUNNING},
    {IDC_OLD_STYLE_SNIPER_RIFLES, IDS_OLD_STYLE_SNIPER_RIFLES},
    {IDC_AXIS_SHOTGUN, IDS_AXIS_SHOTGUN},
    {IDC_NETWORK_GROUP, IDS_NETWORK_OPTIONS},
    {IDC_ADVANCED_OPTIONS_GROUP, IDS_ADVANCED_OPTIONS},
    {IDC_DM_FLAGS_GROUP, IDS_DM_FLAGS},
    {IDOK, IDS_OK},
    {IDCANCEL, IDS_CANCEL},
};

const CaptionAssignment kSelectMapSteps[] = {
    {kWindowTitle, IDS_SELECT_MAP},
    {IDOK, IDS_OK},
    {IDCANCEL, IDS_CANCEL},
};

// The rotation dialog has no control IDOK either.
const CaptionAssignment kMapRotationSteps[] = {
    {kWindowTitle, IDS_ROTATION_TITLE},
    {IDC_MAP_LIST_LABEL, IDS_MAP_LIST},
    {IDC_ROTATION_LIST_LABEL, IDS_ROTATION_LIST},
    {IDC_MOVE_UP, IDS_MOVE_UP},
    {IDC_MOVE_DOWN, IDS_MOVE_DOWN},
    {IDC_APPLY, IDS_APPLY},
    {IDOK, IDS_OK},
    {IDCANCEL, IDS_CANCEL},
};

const CaptionAssignment kAboutSteps[] = {
    {IDC_ABOUT_TITLE, IDS_APP_TITLE},
    {kWindowTitle, IDS_APP_TITLE},
    {IDC_CREATED_BY, IDS_CREATED_BY},
    {IDC_CREDIT_LINE, IDS_CREDIT_LINE},
    {IDC_ABOUT_NOTICE, IDS_NOTICE},
    {IDOK, IDS_OK},
};

}  // namespace

const CaptionPass kMainDialogCaptions = Pass(kMainSteps);
const CaptionPass kAdvancedDialogCaptions = Pass(kAdvancedSteps);
const CaptionPass kSelectMapCaptions = Pass(kSelectMapSteps);
const CaptionPass kMapRotationCaptions = Pass(kMapRotationSteps);
const CaptionPass kAboutCaptions = Pass(kAboutSteps);

void ApplyCaptions(HWND window, HINSTANCE instance, const CaptionPass& pass) {
  for (std::size_t i = 0; i < pass.count; ++i) {
    const CaptionAssignment& step = pass.steps[i];
    char text[kCaptionSize];
    LoadText(instance, step.stringId, text);
    if (step.controlId == kWindowTitle) {
      SetWindowTextA(window, text);
    } else {
      SetDlgItemTextA(window, step.controlId, text);
    }
  }
}

void ApplyMainDialogCaptions(HWND dialog, HINSTANCE instance) {
  ApplyCaptions(dialog, instance, kMainDialogCaptions);
}

void ApplyAdvancedDialogCaptions(HWND dialog, HINSTANCE instance) {
  ApplyCaptions(dialog, instance, kAdvancedDialogCaptions);
}
