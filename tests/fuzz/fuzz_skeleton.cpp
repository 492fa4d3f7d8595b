// Skeleton descriptions (JSON) read against a fixed atlas, then posed and animated
// through every animation they hold: a file that loads must also play.
#include "fuzzsupport.h"
#include "spine/spineanimation.h"
#include "spine/spineanimationstate.h"
#include "spine/spineatlas.h"
#include "spine/spineskeleton.h"
#include "spine/spineskeletondata.h"
#include "spine/spineskeletonjson.h"

using namespace spine;

static const char kAtlas[] =
    "\n"
    "page.png\n"
    "size: 64,64\n"
    "format: RGBA8888\n"
    "filter: Linear,Linear\n"
    "repeat: none\n"
    "box\n"
    "  rotate: false\n"
    "  xy: 0, 0\n"
    "  size: 16, 16\n"
    "  orig: 16, 16\n"
    "  offset: 0, 0\n"
    "  index: -1\n"
    "turned\n"
    "  rotate: true\n"
    "  xy: 16, 0\n"
    "  size: 8, 4\n"
    "  orig: 10, 6\n"
    "  offset: 1, 2\n"
    "  index: 3\n"
    "\n";

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    zarnoFuzzSetUp();
    static const std::unique_ptr<Atlas> atlas = Atlas::parse(QByteArray(kAtlas), QString());
    const std::unique_ptr<SkeletonData> skeletonData =
        SkeletonJson(atlas.get()).readSkeletonData(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    if (!skeletonData)
        return 0;
    Skeleton skeleton(skeletonData.get());
    for (const auto &skin : skeletonData->skins)
        skeleton.setSkin(skin.get());
    skeleton.setToSetupPose();
    skeleton.updateWorldTransform();
    AnimationStateData stateData(skeletonData.get());
    AnimationState state(&stateData);
    int track = 0;
    for (const auto &animation : skeletonData->animations)
        state.setAnimation(track++ % 3, animation.get(), true);
    for (int frame = 0; frame < 8; ++frame) {
        state.update(0.13f);
        state.apply(skeleton);
        skeleton.updateWorldTransform();
    }
    return 0;
}
