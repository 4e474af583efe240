// Draws the demo skin pictures that velatrix-camsim serves out of the box:
//
//   velatrix_make_camsim_demo <output folder>
//
// Six 640 x 480 close-ups of skin, one per capture position (forehead, left
// and right cheek under white light, then the polarized and ultraviolet
// looks), with pores, a few spots and fine lines so that every analysis has
// something to find. Each carries a small mark in its native top-left corner so
// that an operator sees the picture is turned the way the real camera's is.

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

namespace {

cv::Mat skinPicture(int index) {
    // Base tones (B, G, R): white light, polarized (deeper, less glare),
    // ultraviolet (violet cast).
    static const cv::Scalar tones[6] = {{150, 170, 220}, {140, 162, 214}, {145, 168, 224},
                                        {120, 140, 196}, {125, 146, 200}, {170, 90, 120}};
    std::mt19937 random(1000 + index);
    cv::Mat picture(480, 640, CV_8UC3, tones[index]);

    // Uneven lighting across the area, like a lens held against the skin.
    cv::Mat shade(480, 640, CV_32FC1);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const float dx = (x - 320) / 320.0f;
            const float dy = (y - 240) / 240.0f;
            shade.at<float>(y, x) = 1.0f - 0.18f * (dx * dx + dy * dy);
        }
    }
    cv::Mat noise(480, 640, CV_8UC3);
    cv::randn(noise, cv::Scalar::all(0), cv::Scalar::all(6));
    cv::Mat base;
    picture.convertTo(base, CV_32FC3);
    std::vector<cv::Mat> channels;
    cv::split(base, channels);
    for (auto& channel : channels)
        channel = channel.mul(shade);
    cv::merge(channels, base);
    base.convertTo(picture, CV_8UC3);
    cv::add(picture, noise, picture);

    std::uniform_int_distribution<int> px(0, 639);
    std::uniform_int_distribution<int> py(0, 479);
    // Pores.
    for (int i = 0; i < 900; ++i)
        cv::circle(picture, {px(random), py(random)}, 1 + int(random() % 2), tones[index] * 0.8,
                   cv::FILLED, cv::LINE_AA);
    // Spots.
    for (int i = 0; i < 10 + index; ++i)
        cv::circle(picture, {px(random), py(random)}, 4 + int(random() % 9),
                   cv::Scalar(70, 95, 150), cv::FILLED, cv::LINE_AA);
    // Fine lines.
    for (int i = 0; i < 14; ++i) {
        const cv::Point a{px(random), py(random)};
        const cv::Point b = a + cv::Point(int(random() % 160) - 80, int(random() % 30) - 15);
        cv::line(picture, a, b, tones[index] * 0.8, 1, cv::LINE_AA);
    }
    // Faint red streaks on the cheeks, blended in like vessels under the skin.
    if (index == 1 || index == 2 || index == 4) {
        cv::Mat streaks = picture.clone();
        for (int i = 0; i < 8; ++i) {
            cv::Point a{px(random), py(random)};
            for (int step = 0; step < 6; ++step) {
                const cv::Point b = a + cv::Point(int(random() % 40) - 20, int(random() % 40) - 20);
                cv::line(streaks, a, b, cv::Scalar(100, 90, 205), 2, cv::LINE_AA);
                a = b;
            }
        }
        cv::addWeighted(streaks, 0.45, picture, 0.55, 0, picture);
    }
    cv::GaussianBlur(picture, picture, {3, 3}, 0.8);

    // Orientation mark in the native top-left corner.
    cv::rectangle(picture, {0, 0}, {59, 27}, cv::Scalar(40, 40, 40), cv::FILLED);
    cv::putText(picture, "demo " + std::to_string(index + 1), {4, 19}, cv::FONT_HERSHEY_SIMPLEX,
                0.5, cv::Scalar(255, 255, 255), 1, cv::LINE_AA);
    return picture;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velatrix_make_camsim_demo <output folder>\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (int i = 0; i < 6; ++i) {
        const auto path = folder / ("skin" + std::to_string(i + 1) + ".jpg");
        const auto temporary = folder / ("skin" + std::to_string(i + 1) + ".tmp.jpg");
        if (!cv::imwrite(temporary.string(), skinPicture(i), {cv::IMWRITE_JPEG_QUALITY, 92})) {
            std::fprintf(stderr, "velatrix_make_camsim_demo: cannot write %s\n", path.c_str());
            return 1;
        }
        std::filesystem::rename(temporary, path, error);
        if (error) {
            std::fprintf(stderr, "velatrix_make_camsim_demo: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
