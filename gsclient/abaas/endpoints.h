#pragma once
// The game server's address pieces and the paths of its API. The client
// issues requests to four of the paths; the others have no request here.

namespace am::abaas::endpoint {

inline constexpr const char* kScheme = "http://";
inline constexpr const char* kPort = ":80";

inline constexpr const char* kUserLoad = "/api/user/load";
inline constexpr const char* kUserSave = "/api/user/save";
inline constexpr const char* kUserHeartbeat = "/api/user/heartbeat";
inline constexpr const char* kRankingList = "/api/ranking/list";
inline constexpr const char* kRankingArchive = "/api/ranking/archive";
inline constexpr const char* kRankingAggregate = "/api/ranking/aggregate";
inline constexpr const char* kDataLoad = "/api/data/load";
inline constexpr const char* kDataSave = "/api/data/save";
inline constexpr const char* kServerAlive = "/api/server/alive";
inline constexpr const char* kLogUpload = "/api/log/upload";
inline constexpr const char* kCodeConvert = "/api/code/convert";
inline constexpr const char* kCodeCreate = "/api/code/create";

}  // namespace am::abaas::endpoint
