#pragma once

#include <string>

namespace plax {

// The texts the readers and writers show, each defined once.
std::string InvalidHeaderMessage(const std::string& path);
std::string TooManyPointsMessage(const std::string& path);
std::string InvalidPointRecordMessage(const std::string& path);
std::string InvalidEdgeRecordMessage(const std::string& path);
std::string InvalidFileMessage(const std::string& path);
std::string CannotLoadMessage(const std::string& path);
std::string CannotSaveMessage(const std::string& path);
std::string RewriteQuestion(const std::string& path);
std::string CannotCreateFileMessage(const std::string& path);
std::string CannotWriteFileMessage(const std::string& path);
inline constexpr const char* TrivialNetWorkMessage = "Trivial NetWork.";

} // namespace plax
