#include "CapturePanelLayout.h"

namespace {

// The template is 763 dialog units wide; at 1.5 pixels per unit its video
// area would sit at this x, which is where the unit positions belong.
constexpr int kTemplateWidth = 763 * 3 / 2;
constexpr int kTemplateVideoX = (kTemplateWidth - 640) * 11 / 25;

} // namespace

QRect CapturePanelLayout::fromDialogUnits(int x, int y, int width, int height) {
    return QRect(x * 3 / 2, y * 13 / 8, width * 3 / 2, height * 13 / 8);
}

CapturePanelLayout CapturePanelLayout::forSize(const QSize& client, const QSize& noticeSize) {
    CapturePanelLayout l;
    const int x0 = (client.width() - 640) * 11 / 25;
    l.video = QRect(x0, 40, 640, 480);
    l.videoFrame = l.video.adjusted(-9, -9, 9, 9);
    const int dx = x0 - kTemplateVideoX;
    auto place = [dx](int x, int y, int w, int h) {
        return fromDialogUnits(x, y, w, h).translated(dx, 0);
    };
    l.liveResult = place(591, 116, 150, 103);
    l.tipLine = place(27, 335, 686, 17);
    l.modeSwitch = place(597, 31, 91, 27);
    l.realTimeCheck = place(601, 86, 145, 15);
    l.retake = place(597, 258, 91, 27);
    l.capture = place(598, 293, 91, 27);
    // The tip line and thumbnails sit below the picture whatever the units say.
    const int belowVideo = l.videoFrame.bottom() + 1 + 6;
    l.tipLine.moveTop(std::max(l.tipLine.top(), belowVideo));
    const int thumbTop = std::max(place(0, 364, 0, 0).top(), l.tipLine.bottom() + 1 + 8);
    const std::array<int, 6> fullX{69, 180, 291, 402, 513, 624};
    for (std::size_t i = 0; i < fullX.size(); ++i) {
        l.fullFaceThumbs[i] = place(fullX[i], 364, 91, 63);
        l.fullFaceThumbs[i].moveTop(thumbTop);
    }
    const std::array<int, 3> singleX{152, 336, 514};
    for (std::size_t i = 0; i < singleX.size(); ++i) {
        l.singleThumbs[i] = place(singleX[i], 364, 91, 63);
        l.singleThumbs[i].moveTop(thumbTop);
    }
    l.notice = QRect(x0 + (640 - noticeSize.width()) / 2, 40 + (480 - noticeSize.height()) / 2,
                     noticeSize.width(), noticeSize.height());
    l.retry = QRect(l.notice.right() + 1 - 98, l.notice.bottom() + 1, 98, 36);
    l.waiting = QRect(x0 + (640 - 400) / 2, 40 + (480 - 300) / 2, 400, 300);
    return l;
}
