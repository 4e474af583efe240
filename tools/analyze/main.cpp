// velatrix-analyze: scores pictures with the program's skin analyses, for
// integrators and for checking scores without a camera.
//
//   velatrix-analyze ITEM INPUT [--live] [--result OUT.png]
//   velatrix-analyze run S1 S2 S3 S4 S5 S6
//
// Exit status 0 on success, 2 on a bad argument or an unusable picture, with
// one line on stderr.

#include "AnalysisRun.h"
#include "ImageConventions.h"
#include "SkinItem.h"

#include <opencv2/core/utils/logger.hpp>
#include <opencv2/imgcodecs.hpp>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kExitBadInput = 2;

const char* const kUsage =
    "Usage: velatrix-analyze ITEM INPUT [--live] [--result OUT.png]\n"
    "       velatrix-analyze run S1 S2 S3 S4 S5 S6\n"
    "       velatrix-analyze --help\n"
    "\n"
    "Scores pictures with the skin analyses of Velatrix.\n"
    "\n"
    "ITEM INPUT      analyse one picture as skin item ITEM and print its score:\n"
    "                  0 skin colour (the lightness analysis's own value)\n"
    "                  1 water/oil   2 texture      3 spots    4 gloss\n"
    "                  5 red streaks 6 sensitivity  7 pores\n"
    "  --live        live mode: only the result picture is made; prints 0\n"
    "  --result OUT  write the marked result picture to OUT, losslessly\n"
    "                (.png, .bmp, .tif, .tiff or .ppm)\n"
    "run S1 ... S6   analyse the six capture-slot pictures (1 forehead, 2 eyes,\n"
    "                3 left face, 4 nose wing, 5 right face, 6 nose) as an\n"
    "                analysis run does and print the eight scores of items 0-7\n"
    "                on one line; item 0 is the mean of items 1-7\n"
    "\n"
    "Pictures are read as 3-channel colour and analysed at their own size.\n"
    "Exit status: 0 success, 2 bad argument or unusable picture.\n";

// A failure that ends the program with status 2 and this one-line message.
struct BadInput : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Keeps a message on one line whatever a file name holds.
std::string oneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](unsigned char c) { return std::iscntrl(c) != 0; }, '?');
    return text;
}

// The image codecs write their own warnings straight to stderr; while one of
// them runs, stderr goes to /dev/null so that ours stays the only line.
class MutedStderr {
public:
    MutedStderr() {
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDERR_FILENO);
            close(null);
        }
    }
    ~MutedStderr() {
        std::fflush(stderr);
        if (m_saved >= 0) {
            dup2(m_saved, STDERR_FILENO);
            close(m_saved);
        }
    }
    MutedStderr(const MutedStderr&) = delete;
    MutedStderr& operator=(const MutedStderr&) = delete;

private:
    int m_saved = -1;
};

cv::Mat loadPicture(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) {
        throw BadInput("no such picture: " + path);
    }
    if (!fs::is_regular_file(status)) {
        throw BadInput("not a picture file: " + path);
    }
    if (fs::file_size(path, ec) == 0 || ec) {
        throw BadInput("empty picture file: " + path);
    }
    if (!std::ifstream(path, std::ios::binary)) {
        throw BadInput("cannot open picture: " + path);
    }
    cv::Mat picture;
    {
        MutedStderr muted;
        try {
            picture = cv::imread(path, cv::IMREAD_COLOR);
        } catch (const cv::Exception&) {
            picture.release();
        }
    }
    if (picture.empty()) {
        throw BadInput("not a readable picture: " + path);
    }
    if (!isAnalysable(picture)) {
        throw BadInput("picture smaller than " + std::to_string(kMinAnalysisSide) + " x " +
                       std::to_string(kMinAnalysisSide) + " pixels: " + path);
    }
    return picture;
}

bool isLosslessName(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".png" || ext == ".bmp" || ext == ".tif" || ext == ".tiff" || ext == ".ppm";
}

void writeResult(const std::string& path, const cv::Mat& result) {
    bool written = false;
    {
        MutedStderr muted;
        try {
            written = cv::imwrite(path, result);
        } catch (const cv::Exception&) {
            written = false;
        }
    }
    if (!written) {
        throw BadInput("cannot write result picture: " + path);
    }
}

int analyseOne(const std::vector<std::string>& args) {
    const std::string& itemArg = args[0];
    if (itemArg.size() != 1 || itemArg[0] < '0' || itemArg[0] > '7') {
        throw BadInput("ITEM must be a number from 0 to 7, not \"" + itemArg + "\"");
    }
    const SkinItem& item = kSkinItems[static_cast<std::size_t>(itemArg[0] - '0')];

    std::optional<std::string> input;
    std::optional<std::string> resultPath;
    bool live = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--live") {
            live = true;
        } else if (arg == "--result") {
            if (resultPath || i + 1 >= args.size()) {
                throw BadInput("--result needs exactly one file name");
            }
            resultPath = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw BadInput("unknown option " + arg);
        } else if (!input) {
            input = arg;
        } else {
            throw BadInput("unexpected argument " + arg);
        }
    }
    if (!input) {
        throw BadInput("missing INPUT picture");
    }
    if (resultPath && !isLosslessName(*resultPath)) {
        throw BadInput("result picture must be .png, .bmp, .tif, .tiff or .ppm: " + *resultPath);
    }

    const cv::Mat picture = loadPicture(*input);
    cv::Mat result;
    const int score = item.analysis(picture, result, live);
    if (score == kAnalysisRefused) {
        throw BadInput("picture cannot be analysed: " + *input);
    }
    if (resultPath) {
        writeResult(*resultPath, result);
    }
    std::cout << score << '\n';
    return 0;
}

int analyseRun(const std::vector<std::string>& args) {
    if (args.size() != 1 + kCaptureSlotCount) {
        throw BadInput("run needs exactly six pictures, S1 to S6");
    }
    std::array<cv::Mat, kCaptureSlotCount> captures;
    for (int slot = 0; slot < kCaptureSlotCount; ++slot) {
        const std::string& path = args[static_cast<std::size_t>(slot + 1)];
        if (path.size() > 1 && path[0] == '-') {
            throw BadInput("unknown option " + path);
        }
        captures[static_cast<std::size_t>(slot)] = loadPicture(path);
    }
    ItemResults items = makeItemResults();
    fillDetectionImages(items, captures);
    if (!scoreItems(items, GradedTextTable{})) {
        throw BadInput("a picture cannot be analysed");
    }
    for (int i = 0; i < kSkinItemCount; ++i) {
        std::cout << (i ? " " : "") << items[static_cast<std::size_t>(i)].score;
    }
    std::cout << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    cv::utils::logging::setLogLevel(cv::utils::logging::LOG_LEVEL_SILENT);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (std::find_if(args.begin(), args.end(), [](const std::string& a) {
            return a == "--help" || a == "-h";
        }) != args.end()) {
        std::cout << kUsage;
        return 0;
    }
    try {
        if (args.empty()) {
            throw BadInput("missing arguments (see --help)");
        }
        return args[0] == "run" ? analyseRun(args) : analyseOne(args);
    } catch (const BadInput& e) {
        std::cerr << "velatrix-analyze: " << oneLine(e.what()) << std::endl;
    } catch (const std::exception& e) {
        std::cerr << "velatrix-analyze: " << oneLine(e.what()) << std::endl;
    }
    return kExitBadInput;
}
