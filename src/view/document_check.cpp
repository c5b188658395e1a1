// Check My Answer and exercises: the document's check mode, its dialog and its verdicts.
#include "check_dialog.h"
#include "dialogs.h"
#include "document_window.h"
#include "procedure_marks.h"

#include "checking/answer_account.h"
#include "model/net_store.h"
#include "model/text_utils.h"
#include "render/edge_anchors.h"
#include "render/net_colors.h"
#include "render/net_geometry.h"

#include <QMenu>

namespace plax {

namespace {

constexpr const char* UnreadableAnswerMessage = "The answer cannot be read: ";
constexpr const char* SaveNetFirstMessage = "Save the net first: an exercise names the net file beside it.";
constexpr const char* ExerciseBesideNetMessage = "An exercise is saved in the folder of its net.";

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace

void TMDIChild::AddCheckItems() {
    auto* exercise = new QAction(QString::fromLatin1(SaveAsExerciseCaption), this);
    actions_->AddSaveItem(*exercise);
    exercise->setObjectName(QStringLiteral("SaveAsExercise1"));
    connect(exercise, &QAction::triggered, this, [this] { SaveAsExercise1Click(); });
    QMenu* property = Menus()[3];
    property->addSeparator();
    QAction* check = property->addAction(QString::fromLatin1(CheckMyAnswerCaption));
    check->setObjectName(QStringLiteral("CheckMyAnswer1"));
    check->setStatusTip(QStringLiteral("Check an answer marked on the net or typed"));
    connect(check, &QAction::triggered, this, [this] { CheckMyAnswer1Click(); });
}

void TMDIChild::StartCheckMode(const CheckRequest& request, bool hideWeights) {
    check_.Start(Net(), request, hideWeights);
    const AnswerKind kind = InfoOf(request.question).kind;
    if (kind == AnswerKind::EdgeSet || kind == AnswerKind::Walk) Net().view.edgeLabels = 1;
    ShowPrompt(CheckModePrompt);
    Notify(ShownChange::View);
}

void TMDIChild::StartExercise(const Exercise& exercise) {
    // The exercise was written for some net; the one beside it now may have fewer points.
    for (const int p : {exercise.request.source, exercise.request.sink})
        if (p > Net().n) {
            host_.Ui().Warning("The exercise names point " + std::to_string(p) +
                               "; the net has points 1 to " + std::to_string(Net().n) + ".");
            return;
        }
    if (const auto refusal = QuestionRefusal(Net(), exercise.request)) {
        host_.Ui().Warning(*refusal);
        return;
    }
    StartCheckMode(exercise.request, exercise.hideWeights);
}

void TMDIChild::CheckMyAnswer1Click() {
    if (RefuseWhileRunning(*this)) return;
    CheckDialogState state;
    if (check_.Active()) {
        state.request = check_.Request();
        state.answer = AnswerText(InfoOf(state.request.question).kind, check_.MarkedAnswer(Net()));
    }
    if (!AskCheckQuestion(this, state, Net().n)) return;
    if (const auto refusal = QuestionRefusal(Net(), state.request)) {
        host_.Ui().Warning(*refusal);
        return;
    }
    const bool same = check_.Active() && check_.Request().question == state.request.question;
    if (!same) StartCheckMode(state.request, false);
    if (TrimText(state.answer).empty()) return;
    // Points by number, or by name as plax-cli takes them.
    const ParsedAnswer parsed = ParseAnswer(
        InfoOf(state.request.question).kind, state.answer,
        [this](std::string_view word, std::string& error) { return NamedPoint(Net(), {}, word, error); });
    if (!parsed.answer) {
        host_.Ui().Warning(UnreadableAnswerMessage + parsed.error);
        return;
    }
    ShowVerdict(state.request, *parsed.answer);
}

void TMDIChild::ShowVerdict(const CheckRequest& request, const StudentAnswer& answer) {
    const auto verdict = CheckMyAnswer(Net(), request, answer, FileName(), NewRunOutput(*this));
    Net().interaction.busy = 0;
    if (!verdict) return;
    check_.Answered();
    // The point colours are the answer of a colouring; elsewhere the last verdict's marks go.
    if (InfoOf(request.question).kind != AnswerKind::Coloring) {
        RedrawNormal(*this);
        check_.Recolor(Net());
    }
    for (const MarkedPoint& p : verdict->points)
        ColorPoint(Net(), p.point, p.color);
    for (const MarkedEdge& e : verdict->edges)
        if (EdgeExists(Net(), e.from, e.to)) ColorEdge(Net(), e.from, e.to, e.color);
    Notify(ShownChange::View);
}

bool TMDIChild::MarkEdgeAt(int x, int y) {
    ComputeEdgeAnchors(Net(), canvas_->Anchors());
    const auto [from, to] = EdgeAnchorAt(Net(), canvas_->Anchors(), x, y);
    if (from == 0) return false;
    check_.ToggleEdge(Net(), from, to);
    Notify(ShownChange::Picture);
    return true;
}

void TMDIChild::SaveAsExercise1Click() {
    if (RefuseWhileRunning(*this)) return;
    if (Unnamed()) {
        host_.Ui().Warning(SaveNetFirstMessage);
        return;
    }
    CheckDialogState state;
    state.forExercise = true;
    if (check_.Active()) state.request = check_.Request();
    if (!AskCheckQuestion(this, state, Net().n)) return;
    if (const auto refusal = QuestionRefusal(Net(), state.request)) {
        host_.Ui().Warning(*refusal);
        return;
    }
    const auto path =
        host_.Ui().AskSavePath(ExerciseFilter, ExerciseExtension,
                               ReplaceExtension(FileName(), std::string(".") + ExerciseExtension));
    if (!path) return;
    if (FolderOf(*path) != FolderOf(FileName())) {
        host_.Ui().Warning(ExerciseBesideNetMessage);
        return;
    }
    const Exercise exercise{FileNameOf(FileName()), state.request, state.hideWeights};
    if (!SaveExercise(*path, exercise)) host_.Ui().Error(" Cannot Save file " + *path);
}

} // namespace plax
