#ifndef HORROR_DATAFILEKEYS_H
#define HORROR_DATAFILEKEYS_H

#include <string>
#include <vector>

// The elements of the game's data files, in the order the loaders read
// them: the loaders bind these names and the data checker compares files
// with these lists, so a key added here reaches both.
namespace horror::keys {

// A level file ("Level" root).
inline constexpr const char* LEVEL_ROOT = "Level";
inline constexpr const char* START_UP_EXECUTE = "StartUpExecute";
inline constexpr const char* PLAYER_POSITION = "PlayerPosition";
inline constexpr const char* LEVEL_BACKGROUND_IMAGE = "LevelBackgroundImage";
inline constexpr const char* BACKGROUND_LAYER = "BackgroundLayer";
inline constexpr const char* AREA_EVENTS = "AreaEvents";
inline constexpr const char* PORTALS = "Portals";
inline constexpr const char* BAD_GUY_IMAGE = "BadGuyImage";
inline constexpr const char* BAD_GUY_SPEED = "BadGuySpeed";
inline constexpr const char* BAD_GUY_AI_RANGE = "BadGuyAiRange";
inline constexpr const char* BAD_GUY_CHASES_PLAYER = "BadGuyChasesPlayer";
inline constexpr const char* BAD_GUY_PATH = "BadGuyPath";
inline constexpr const char* PLAYER_ENABLED = "PlayerEnabled";
inline constexpr const char* BADGUY_ENABLED = "BadguyEnabled";
inline constexpr const char* PLAYER_VISIBLE = "PlayerVisible";
inline constexpr const char* BADGUY_VISIBLE = "BadguyVisible";
inline const std::vector<std::string> LEVEL = {
    START_UP_EXECUTE, PLAYER_POSITION, LEVEL_BACKGROUND_IMAGE, BACKGROUND_LAYER,      AREA_EVENTS,
    PORTALS,          BAD_GUY_IMAGE,   BAD_GUY_SPEED,          BAD_GUY_AI_RANGE,      BAD_GUY_CHASES_PLAYER,
    BAD_GUY_PATH,     PLAYER_ENABLED,  BADGUY_ENABLED,         PLAYER_VISIBLE,        BADGUY_VISIBLE,
};

// The items of a level's lists.
inline constexpr const char* AREA_EVENT = "AreaEvent";
inline constexpr const char* PORTAL = "Portal";
inline constexpr const char* PATH_POINT = "PathPoint";
inline constexpr const char* POSITION = "Position";
inline constexpr const char* RANGE = "Range";
inline constexpr const char* EXECUTE = "Execute";
inline constexpr const char* PORTAL_IMAGE = "PortalImage";
inline constexpr const char* NEXT_FILE = "NextFile";
inline const std::vector<std::string> AREA_EVENT_ITEM = { POSITION, RANGE, EXECUTE };
inline const std::vector<std::string> PORTAL_ITEM = { POSITION, PORTAL_IMAGE, NEXT_FILE };

// A dialogue file ("WittyDialog" root) of "DialogLine" elements.
inline constexpr const char* DIALOGUE_ROOT = "WittyDialog";
inline constexpr const char* DIALOGUE_LINE = "DialogLine";
inline constexpr const char* SPEAKER_IMAGE = "SpeakerImage";
inline constexpr const char* DIALOGUE = "Dialogue";
inline constexpr const char* AFTER_EXECUTE = "AfterExecute";
inline const std::vector<std::string> DIALOGUE_LINE_ITEM = { SPEAKER_IMAGE, DIALOGUE, AFTER_EXECUTE };

// A background-layer file ("BackgroundLayer" root).
inline constexpr const char* LAYER_ROOT = "BackgroundLayer";
inline constexpr const char* CREATE_CRAPGROUND = "CreateCrapground";
inline constexpr const char* FLOAT_THINGS_AROUND = "FloatThingsAround";
inline const std::vector<std::string> LAYER = { LEVEL_BACKGROUND_IMAGE, CREATE_CRAPGROUND, FLOAT_THINGS_AROUND };

} // namespace horror::keys

#endif
