// The probe as a user marks it: a click at a particle's place on the
// screen, found by a hit test, marks it; a click there again removes it;
// Esc removes the marks and leaves the viewer open.

#include "probe/probe.h"
#include "viewer_fixture.h"

#include <QTest>

#include <gtest/gtest.h>

namespace kelvora::test {
namespace {

bool probeInk(ViewerWindow& form, int number)
{
    const Color c = ProbeColor(number);  // 0x00BBGGRR
    const QRgb ink = qRgb(c & 255, (c >> 8) & 255, (c >> 16) & 255);
    const QImage shown = form.picture()->grab(form.picture()->graphArea()).toImage();
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) == ink)
                return true;
    return false;
}

TEST(Probe, ClickMarksTheParticleThereAndAgainRemovesItEscRemovesAll)
{
    ViewerFixture f(2);
    f.capture();
    clickAt(f.form(), particleOnScreen(f.form(), 7));
    ASSERT_EQ(f.form().model().probe().marks().sites.size(), 1u);
    const Medium medium = *MediumOf(2, f.form().model().sceneContext(nullptr));
    EXPECT_EQ(f.form().model().probe().marks().sites[0].rest.x, std::get<ParticleRow>(medium).restX[7]);
    EXPECT_TRUE(f.form().picture()->graphShown());
    EXPECT_TRUE(probeInk(f.form(), 0));
    // The frames are drawn again for the smaller area once it settles.
    f.clock->fire();
    f.settle();
    EXPECT_FALSE(f.form().picture()->surfaceOutOfDate());

    clickAt(f.form(), particleOnScreen(f.form(), 3));
    EXPECT_TRUE(probeInk(f.form(), 1));
    clickAt(f.form(), particleOnScreen(f.form(), 3));
    ASSERT_EQ(f.form().model().probe().marks().sites.size(), 1u);
    EXPECT_FALSE(probeInk(f.form(), 1));

    QTest::keyClick(f.form().picture(), Qt::Key_Escape);
    EXPECT_TRUE(f.form().model().probe().empty());
    EXPECT_FALSE(f.form().picture()->graphShown());
    EXPECT_NE(f.form().model().phase(), ViewerPhase::Empty);
}

TEST(Probe, APictureWithoutMediumTakesNoClick)
{
    ViewerFixture f(0);
    f.capture();
    const QRect area = f.form().picture()->frameArea();
    clickAt(f.form(), f.form().picture()->mapTo(&f.form(), area.center()));
    EXPECT_TRUE(f.form().model().probe().empty());
    EXPECT_FALSE(f.form().picture()->graphShown());
}

}  // namespace
}  // namespace kelvora::test
