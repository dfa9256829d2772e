// The painted widgets: what they hold and what they draw where.

#include <gtest/gtest.h>

#include <QImage>

#include "widgets/CHistogramCtrl.h"
#include "widgets/CProgressCtrlX.h"
#include "widgets/SignalHistoryGraph.h"

namespace {

TEST(WidgetsTest, BarClampsAndGlidesOnlyWhenAsked) {
  CProgressCtrlX bar;
  bar.SetAnimation(0, 1);
  bar.SetPosition(140);
  EXPECT_EQ(bar.Position(), 100);
  EXPECT_EQ(bar.ShownPosition(), 100) << "without an animation a change is immediate";
  bar.SetAnimation(55, 1);
  bar.SetPosition(-3);
  EXPECT_EQ(bar.Position(), 0);
  EXPECT_EQ(bar.ShownPosition(), 100) << "it glides there";
  bar.SetCaption("Link Quality : 0%");
  EXPECT_EQ(bar.accessibleDescription(), "Link Quality : 0%");
}

TEST(WidgetsTest, HistogramColumnsScaleToTheMaximumAndStopAtTheTop) {
  CHistogramCtrl graph;
  graph.resize(110, 42);  // a 40-pixel high area beside the 50-pixel label column
  graph.SetVerticalMax(2.0);
  for (double v : {1.0, 4.0, 0.5}) graph.AddSample(v);
  EXPECT_EQ(graph.ColumnHeight(0), 10) << "newest: 0.5 of 2";
  EXPECT_EQ(graph.ColumnHeight(1), 40) << "at most the full height";
  EXPECT_EQ(graph.ColumnHeight(2), 20);
  EXPECT_EQ(graph.ColumnHeight(3), 0) << "no such sample";

  // The newest column stands next to the label column, in the graph's colour.
  graph.SetColour(QColor(255, 255, 0));
  QImage image = graph.grab().toImage();
  EXPECT_EQ(QColor(image.pixel(51, 40)), QColor(255, 255, 0));
  EXPECT_EQ(QColor(image.pixel(51, 20)), QColor(Qt::black)) << "0.5 of 2 stays low";
  graph.Clear();
  EXPECT_EQ(graph.ColumnHeight(1), 0);
  EXPECT_EQ(graph.Samples().size(), 3u);
}

TEST(WidgetsTest, SignalHistoryInWords) {
  SignalHistoryGraph graph;
  EXPECT_EQ(graph.Legend(), "Signal, noise and SNR: no link now");
  graph.SetPoints({{120, true, -60, -92}, {60, false, 0, 0}, {0, true, -47, -92}});
  EXPECT_EQ(graph.Legend(), "Signal -47 dBm  Noise -92 dBm  SNR 45 dB");
  EXPECT_TRUE(graph.Summary().contains("from -60 to -47 dBm")) << graph.Summary().toStdString();
  EXPECT_TRUE(graph.Summary().contains("32 dB")) << graph.Summary().toStdString();
  graph.resize(300, 120);
  EXPECT_FALSE(graph.grab().isNull());
}

}  // namespace
