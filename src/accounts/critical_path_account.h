#pragma once

#include "results_sink.h"

#include "algorithms/critical_path.h"
#include "algorithms/marking_buffer.h"

#include "model/net_types.h"

#include <functional>
#include <string>
#include <vector>

namespace plax {

inline constexpr const char* GanttChartQuestion = "Do you wish to show Gantt Chart?";
std::string SourceAndSinkQuestion(int source, int sink);

// One bar of the Gantt chart: a job from its earliest start for its length.
struct GanttBar {
    std::string label; // "(i,j) - " + the edge's name
    double start = 0.0;
    double end = 0.0;
    Color color = 0; // red for a critical job, green otherwise
    double reserve = 0.0;
    bool operator==(const GanttBar&) const = default;
};

// The chart's bars: every job of non-zero length, in list order.
std::vector<GanttBar> GanttBars(const NetWorkType& net, const ActivitySchedule& s);

struct CriticalPathOptions {
    // "Select Confirmation": ask before the run whether the source and sink are right.
    bool selectConfirmation = true;
    // Shows the Gantt chart; when empty the chart is not offered.
    std::function<void(const std::vector<GanttBar>&)> showGantt;
};

// The activity net's events and jobs with their times and reserves. Each job's reserve is
// stored in its edge's flow field; the critical path's edges are marked. Answers the length of
// the critical path, or -1 when the user declines to go on. Without a file name it only measures,
// and answers -1 for a net that fails OneSourceOneSink unless its source and sink are 1 and 2.
double CriticalPath(NetWorkType& net, MarkingBuffer& marks, const std::string& fileName, ProcedureOutput out,
                    const CriticalPathOptions& options);

} // namespace plax
