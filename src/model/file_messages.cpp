#include "file_messages.h"

namespace plax {

namespace {
const std::string LoadTerminated = "Load Procedure terminated! ";
}

std::string InvalidHeaderMessage(const std::string& path) {
    return "Invalid Header of the File\r\n" + path + "\r\n" + LoadTerminated;
}

std::string TooManyPointsMessage(const std::string& path) {
    return "Invalid Header of the File\r\n" + path + "\r\n" + "Too many Points (N > " + "15" + "). " +
           "\r\n" + LoadTerminated;
}

std::string InvalidPointRecordMessage(const std::string& path) {
    return "Invalid format of the Point Record\r\n" + path + "\r\n" + LoadTerminated;
}

std::string InvalidEdgeRecordMessage(const std::string& path) {
    return "Invalid format of the Edge Record\r\n" + path + "\r\n" + LoadTerminated;
}

std::string InvalidFileMessage(const std::string& path) {
    return "Invalid format of the File\r\n" + path + "\r\n" + LoadTerminated;
}

std::string CannotLoadMessage(const std::string& path) {
    return " Cannot Load file \r\n" + path + "\r\n" + LoadTerminated;
}

std::string CannotSaveMessage(const std::string& path) {
    return " Cannot Save file \r\n" + path + "\r\n" + "Save Procedure terminated! ";
}

std::string RewriteQuestion(const std::string& path) {
    return "Do you wish to Rewrite file \r\n" + path + "?";
}

std::string CannotCreateFileMessage(const std::string& path) { return " Cannot create the File.\r\n" + path; }

std::string CannotWriteFileMessage(const std::string& path) { return " Cannot write to file \r\n" + path; }

} // namespace plax
