#include "SummaryGeometry.h"

#include <algorithm>

namespace SummaryGeometry {

namespace {

// Offset = coefficient * 0.98 * value, truncated towards zero; coefficients in
// thousandths so the product is exact integer arithmetic.
int radarOffset(int milli, int value) {
    const long long exact = static_cast<long long>(milli) * 98 * value;
    return static_cast<int>(exact / 100000);
}

} // namespace

QRect barTrack(const QRect& label) {
    return QRect(label.right() + 1 + 20, label.top() + 10, kTrackWidth, kBarHeight);
}

int barWidth(int value) {
    return static_cast<int>(static_cast<long long>(value) * 19 / 10);
}

std::array<QPoint, 9> radarPoints(const std::array<int, 8>& scores) {
    // Spokes 40 degrees apart: sin/cos of 40, 80, 120, 160 degrees as thousandths.
    struct Spoke {
        int dxMilli; // signed x coefficient
        int dyMilli; // signed y coefficient
    };
    static constexpr std::array<Spoke, 8> kSpokes{{
        {-643, -766},
        {-985, -174},
        {-866, 500},
        {-342, 940},
        {342, 940},
        {866, 500},
        {985, -174},
        {643, -766},
    }};
    std::array<QPoint, 9> points;
    int sum = 0;
    for (int i = 0; i < 8; ++i) {
        const int s = scores[i];
        sum += s;
        points[i] = kRadarCentre +
                    QPoint(radarOffset(kSpokes[i].dxMilli, s), radarOffset(kSpokes[i].dyMilli, s));
    }
    const int average = sum / 8;
    points[8] = kRadarCentre - QPoint(0, radarOffset(1000, average));
    return points;
}

int lowestItem(const std::array<int, 8>& scores) {
    static constexpr std::array<int, 8> kOrder{0, 3, 6, 2, 1, 5, 7, 4};
    const auto counted = [&](int item) {
        return item == 0 ? std::min(scores[0], 100) : scores[item];
    };
    int chosen = kOrder[0];
    for (int item : kOrder) {
        if (counted(item) < counted(chosen))
            chosen = item;
    }
    return chosen;
}

} // namespace SummaryGeometry
