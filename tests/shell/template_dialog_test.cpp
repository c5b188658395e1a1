#include "scratch_dir.h"
#include "view/scripted_dialogs.h"

#include "shell/frame_window.h"
#include "shell/template_dialog.h"

#include "model/net_store.h"
#include "view/document_window.h"

#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace plax {
namespace {

TEST(TemplateDialogTest, ThePreviewFollowsTheFieldsAndARefusalHoldsOk) {
    const OptionType options;
    TNewFromTemplateDlg dialog(options);
    TemplateParams petersen;
    petersen.kind = NetTemplate::Petersen;
    dialog.Load(petersen);
    EXPECT_EQ(dialog.Message().text(), "Petersen graph: 10 points, 15 edges");
    ASSERT_TRUE(dialog.Preview().Net().has_value());
    EXPECT_EQ(dialog.Preview().Net()->n, 10);
    EXPECT_TRUE(dialog.OkEnabled());
    EXPECT_FALSE(dialog.NEdit().isEnabled()); // the Petersen graph has no size to choose

    dialog.KindBox().setCurrentIndex(static_cast<int>(NetTemplate::Complete));
    dialog.NEdit().setValue(16);
    EXPECT_EQ(dialog.Message().text(), "K16 would have 16 points; Plax holds at most 15");
    EXPECT_FALSE(dialog.OkEnabled());
    EXPECT_FALSE(dialog.Preview().Net().has_value());
    dialog.NEdit().setValue(6);
    dialog.WeightsBox().setCurrentIndex(static_cast<int>(WeightRule::Euclidean));
    EXPECT_EQ(dialog.Message().text(), "K6: 6 points, 15 edges");
    const TemplateParams answers = dialog.Answers();
    EXPECT_EQ(answers.kind, NetTemplate::Complete);
    EXPECT_EQ(answers.n, 6);
    EXPECT_EQ(answers.weights, WeightRule::Euclidean);

    // The Petri net is directed whatever the box said before.
    dialog.KindBox().setCurrentIndex(static_cast<int>(NetTemplate::ProducerConsumer));
    EXPECT_TRUE(dialog.Answers().directed);
    EXPECT_EQ(dialog.MEdit().value(), 3);
}

TEST(TemplateDialogTest, TheFrameOpensTheNetInANewDocument) {
    testing::ScriptedDialogs dialogs;
    TPlaxForm frame{dialogs};
    frame.show();
    TemplateParams flow;
    flow.kind = NetTemplate::FlowNet;
    flow.n = 8;
    flow.seed = 7;
    ASSERT_TRUE(frame.OpenTemplate(flow));
    TMDIChild* document = frame.ActiveDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->Net().n, 8);
    EXPECT_EQ(document->Net().kindName, "dirNet");
    EXPECT_EQ(document->windowTitle(), "NoName");
    TemplateParams tooBig;
    tooBig.kind = NetTemplate::Hypercube;
    tooBig.n = 4;
    EXPECT_FALSE(frame.OpenTemplate(tooBig));
    EXPECT_EQ(frame.Area().subWindowList().size(), 1);
    EXPECT_EQ(dialogs.Texts("error"),
              std::vector<std::string>{"Q4 would have 16 points; Plax holds at most 15"});
}

} // namespace
} // namespace plax
