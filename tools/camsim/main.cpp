// velatrix-camsim: plays the Wi-Fi skin camera from a folder of pictures (or
// one picture) so that staff can practise a visit without the hardware and the
// tests can drive the real network path.
//
//   velatrix-camsim [--address A] [--port 8196] [--control-port 15002]
//                   [--fps N] PICTURE|FOLDER
//
// Serves http://A:PORT/?.mjpg (any path works) and accepts the control
// connection on the control port. Runs until interrupted (Ctrl+C or SIGTERM).

#include "MjpegStreamServer.h"

#include <opencv2/imgcodecs.hpp>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: velatrix-camsim [--address A] [--port 8196] [--control-port 15002] "
                 "[--fps N] PICTURE|FOLDER\n");
    return 2;
}

bool isPicture(const fs::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return ext == ".jpg" || ext == ".jpeg" || ext == ".png" || ext == ".bmp";
}

// JPEG files are served byte for byte; other pictures are encoded once. A file
// that cannot be read is reported and skipped.
bool loadPicture(const fs::path& path, std::vector<std::vector<uint8_t>>& pictures) {
    const cv::Mat decoded = cv::imread(path.string(), cv::IMREAD_COLOR);
    if (decoded.empty()) {
        std::fprintf(stderr, "velatrix-camsim: skipping %s: not a readable picture\n",
                     path.string().c_str());
        return false;
    }
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    std::vector<uint8_t> bytes;
    if (ext == ".jpg" || ext == ".jpeg") {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } else {
        cv::imencode(".jpg", decoded, bytes, {cv::IMWRITE_JPEG_QUALITY, 90});
    }
    pictures.push_back(std::move(bytes));
    return true;
}

bool parseNumber(const char* text, double low, double high, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end && *end == '\0' && value >= low && value <= high;
}

} // namespace

int main(int argc, char** argv) {
    MjpegStreamServer::Options options;
    std::string source;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        double number = 0;
        if (arg == "--address" && hasValue) {
            options.address = argv[++i];
        } else if (arg == "--port" && hasValue && parseNumber(argv[i + 1], 0, 65535, number)) {
            options.streamPort = static_cast<int>(number);
            ++i;
        } else if (arg == "--control-port" && hasValue &&
                   parseNumber(argv[i + 1], 0, 65535, number)) {
            options.controlPort = static_cast<int>(number);
            ++i;
        } else if (arg == "--fps" && hasValue && parseNumber(argv[i + 1], 0.1, 120, number)) {
            options.fps = number;
            ++i;
        } else if (!arg.empty() && arg[0] != '-' && source.empty()) {
            source = arg;
        } else {
            return usage();
        }
    }
    if (source.empty())
        return usage();

    std::vector<std::vector<uint8_t>> pictures;
    std::error_code error;
    if (fs::is_directory(source, error)) {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(source, error)) {
            if (entry.is_regular_file() && isPicture(entry.path()))
                files.push_back(entry.path());
        }
        std::sort(files.begin(), files.end());
        for (const auto& file : files)
            loadPicture(file, pictures);
    } else {
        loadPicture(source, pictures);
    }
    if (pictures.empty()) {
        std::fprintf(stderr, "velatrix-camsim: no readable picture in %s\n", source.c_str());
        return 1;
    }

    // Block the stop signals before any thread starts so that only sigwait
    // below receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    MjpegStreamServer server(options, std::move(pictures));
    if (!server.start()) {
        std::fprintf(stderr, "velatrix-camsim: %s\n", server.error().c_str());
        return 1;
    }
    std::printf("velatrix-camsim: http://%s:%d/?.mjpg, control port %d, %g pictures/s\n",
                options.address.c_str(), server.streamPort(), server.controlPort(), options.fps);
    std::fflush(stdout);

    int received = 0;
    sigwait(&stopSignals, &received);
    server.stop();
    return 0;
}
