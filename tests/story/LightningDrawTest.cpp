// Drawing the bolts and their flash: a strike shows and fades by the seconds simulated,
// and a bolt whose program failed is skipped without a message every frame.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "CaptureOutput.h"
#include "GLTestContext.h"
#include "render/Lightning.h"

namespace {

const std::string Fixtures = GALESKERRY_TEST_FIXTURES;

// The game's off-screen framebuffer in small, blending as the frame leaves it for the bolts.
class BoltTarget : public OffscreenTarget {
 public:
  static constexpr int Size = 128;
  BoltTarget() : OffscreenTarget(Size) {
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  }
};


// A camera south of a bolt that falls from the sky onto the sea in front of it.
const glm::vec3 Eye(0.0f, 50.0f, -150.0f);
const glm::vec3 BoltTop(0.0f, 100.0f, 0.0f);
const glm::vec3 BoltFoot(10.0f, 0.0f, 5.0f);

glm::mat4 projection() { return glm::perspective(glm::radians(60.0f), 1.0f, 0.1f, 1000.0f); }
glm::mat4 view() { return glm::lookAt(Eye, glm::vec3(0.0f, 50.0f, 0.0f), glm::vec3(0, 1, 0)); }

class LightningDraw : public GLTest {
 protected:
  // Sum of the red channel over the target after drawing the bolt on black.
  static long drawnLight(const Lightning& bolt) {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    bolt.draw(projection(), view());
    glFinish();
    long total = 0;
    const std::vector<unsigned char> pixels = readPixels(0, 0, BoltTarget::Size, BoltTarget::Size);
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
      total += pixels[i];
    }
    return total;
  }
};

TEST_F(LightningDraw, StrikeUploadsEverySegmentIntoTheFixedBuffer) {
  Lightning bolt;
  bolt.init();
  ASSERT_TRUE(bolt.canDraw());
  bolt.strike(BoltTop, BoltFoot, Eye);

  GLint bytes = 0;
  glBindBuffer(GL_ARRAY_BUFFER, bolt.getVertexBuffer());
  glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &bytes);
  ASSERT_EQ(bytes, static_cast<GLint>(BoltGeometry::FloatCount * sizeof(float)));
  std::vector<float> uploaded(BoltGeometry::FloatCount);
  glGetBufferSubData(GL_ARRAY_BUFFER, 0, bytes, uploaded.data());
  glBindBuffer(GL_ARRAY_BUFFER, 0);

  const auto& segments = bolt.getGeometry().segments();
  for (std::size_t i = 0; i < segments.size(); ++i) {
    const float* at = &uploaded[6 * i];
    ASSERT_EQ(glm::vec3(at[0], at[1], at[2]), segments[i].start) << "segment " << i;
    ASSERT_EQ(glm::vec3(at[3], at[4], at[5]), segments[i].end) << "segment " << i;
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(LightningDraw, ABoltShinesAndDimsAsItFadesToNothing) {
  BoltTarget target;
  ASSERT_TRUE(target.complete());
  Lightning bolt;
  bolt.init();
  bolt.strike(BoltTop, BoltFoot, Eye);

  // Lifetimes reached by fading: fresh, half gone, nearly gone, gone.
  const float lifetimes[] = {1.0f, 0.5f, 0.15f, 0.0f};
  long previous = 0;
  for (const float lifetime : lifetimes) {
    bolt.update((bolt.getLifetime() - lifetime) / 0.7f);
    ASSERT_NEAR(bolt.getLifetime(), lifetime, 1e-4f);
    const long light = drawnLight(bolt);
    if (lifetime == 1.0f) {
      EXPECT_GT(light, 255L * 100) << "a fresh bolt lights at least a hundred pixels fully";
    } else if (lifetime > 0.0f) {
      EXPECT_LT(light, previous) << "at lifetime " << lifetime;
      EXPECT_GT(light, 0L) << "at lifetime " << lifetime;
    } else {
      EXPECT_EQ(light, 0L) << "a faded bolt still shows";
    }
    previous = light;
  }

  GLint source = 0;
  GLint destination = 0;
  glGetIntegerv(GL_BLEND_SRC_RGB, &source);
  glGetIntegerv(GL_BLEND_DST_RGB, &destination);
  EXPECT_EQ(source, GL_SRC_ALPHA);
  EXPECT_EQ(destination, GL_ONE_MINUS_SRC_ALPHA) << "the additive blend was left on";
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(LightningDraw, ABoltWhoseProgramFailedIsNeitherDrawnNorReportedEveryFrame) {
  BoltTarget target;
  ASSERT_TRUE(target.complete());
  Lightning bolt;
  {
    CaptureStdout setupOut;
    CaptureStderr setupErr;
    bolt.init(Fixtures + "/shaders/flat_vert.glsl", Fixtures + "/shaders/broken_frag.glsl");
    EXPECT_NE(setupOut.stop().find("broken_frag.glsl"), std::string::npos)
        << "the failed build is not reported";
    setupErr.stop();
  }
  EXPECT_FALSE(bolt.canDraw());

  CaptureStdout out;
  CaptureStderr err;
  long light = 0;
  for (int frame = 0; frame < 20; ++frame) {
    bolt.strike(BoltTop, BoltFoot, Eye);
    light += drawnLight(bolt);
  }
  EXPECT_EQ(out.stop(), "");
  EXPECT_EQ(err.stop(), "");
  EXPECT_EQ(light, 0L);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace

// A strike's flash is brightest as the bolt appears, strikes once more a moment later, and is
// gone within half a second; it follows the seconds simulated whatever the frame rate, and a
// bolt never struck lights nothing.
TEST(LightningFlash, PeaksAtTheStrikeRestrikesOnceAndFollowsSecondsNotFrames) {
  Lightning unstruck;
  EXPECT_EQ(unstruck.flash(), 0.0f);
  for (const float framesPerSecond : {30.0f, 60.0f, 144.0f}) {
    SCOPED_TRACE(framesPerSecond);
    Lightning bolt;
    bolt.strike(BoltTop, BoltFoot, Eye);
    EXPECT_FLOAT_EQ(bolt.flash(), strikeFlash(0.0f));
    EXPECT_GT(bolt.flash(), 0.95f);
    EXPECT_EQ(bolt.getCentre(), 0.5f * (BoltTop + BoltFoot));
    const float dt = 1.0f / framesPerSecond;
    float previous = bolt.flash();
    float seconds = 0.0f;
    bool restruck = false;
    while (seconds < 1.0f) {
      bolt.update(dt);
      seconds += dt;
      restruck = restruck || (seconds > 0.1f && bolt.flash() > previous + 0.01f);
      previous = bolt.flash();
      if (std::abs(seconds - 0.3f) < 0.5f * dt) {
        EXPECT_NEAR(bolt.flash(), strikeFlash(0.3f), 0.02f);
      }
    }
    EXPECT_TRUE(restruck);
    EXPECT_LT(bolt.flash(), 0.01f);
    EXPECT_LT(strikeFlash(0.5f), 0.01f);
  }
}
