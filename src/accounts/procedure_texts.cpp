#include "procedure_texts.h"

namespace plax {

std::string NoPathsFromSourceMessage(int source) {
    return "You have Selected Source - " + std::to_string(source) + "." + "\r\n" +
           "There are not Paths to other Points.";
}

std::string SelectSinkMessage(int source) {
    return "You have Selected Source - " + std::to_string(source) + "." + "\r\n" +
           "Now Select Second Point (Sink).";
}

std::string UnreachableSinkMessage(int source, int sink) {
    return "There aren`t Paths from " + std::to_string(source) + " to Point " + std::to_string(sink) + "." +
           "\r\n" + "Select another Point ";
}

std::string SinkIsSourceMessage(int source) { return "Select another Point  for " + std::to_string(source); }

} // namespace plax
