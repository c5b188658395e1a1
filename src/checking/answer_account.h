#pragma once

#include "answer_check.h"
#include "accounts/results_sink.h"

#include "model/net_types.h"

#include <optional>
#include <string>

namespace plax {

// Checks the answer as a long run and writes the verdict as an account of its own: the header
// with the title "Check My Answer", the question, the answer as read, the verdict lines and the
// proof. Nothing when no Results window could be made (the user was told).
std::optional<Verdict> CheckMyAnswer(NetWorkType& net, const CheckRequest& request,
                                     const StudentAnswer& answer, const std::string& fileName,
                                     ProcedureOutput out);

} // namespace plax
