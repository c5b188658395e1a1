#include "model/point_options.h"

#include "model/net_store.h"

#include <gtest/gtest.h>

namespace plax {
namespace {

TEST(PointOptions, ClearCustomPointOptionsGivesBackTheDefaultBlock) {
    NetWorkType net;
    NetInit(net);
    net.defaultOptions = DefaultPointOptions();
    net.n = 2;
    net.points[2].customOptions = 1;
    net.points[2].options.radius = 5;
    net.points[1].options.radius = 3; // a block without its flag is not in force and stays

    EXPECT_EQ(ClearCustomPointOptions(net), std::vector<int>{2});
    EXPECT_EQ(net.points[2].customOptions, 0);
    EXPECT_EQ(net.points[2].options, net.defaultOptions);
    EXPECT_EQ(net.points[1].options.radius, 3);
    EXPECT_TRUE(ClearCustomPointOptions(net).empty());
}

} // namespace
} // namespace plax
