#pragma once

#include <opencv2/core.hpp>

#include <cstddef>
#include <cstdint>

// Turning raw camera samples into the frames every sink receives: 3-channel
// 8-bit BGR, rows top-down, the camera's native picture turned by 180°, so the
// native top-left pixel ends at the bottom-right corner.
//
// V4L2 delivers every format top-down (unlike the bottom-up bitmaps of other
// platforms), so each converter turns the picture itself instead of relying on
// an upside-down source. A negative height (a bottom-up description) is read
// as its absolute value.
//
// Threading: free functions on plain data; safe on any thread.

enum class CameraPixelFormat { Mjpg, Yuyv, Bgr24, Other };

// Packed 4:2:2 Y0 U Y1 V with the integer formula
//   y = 298 (Y - 16), u = U - 128, v = V - 128,
//   R = (y + 409 v + 128) >> 8, G = (y - 100 u - 208 v + 128) >> 8,
//   B = (y + 516 u + 128) >> 8, each clamped to 0..255.
// bytesPerLine 0 means width * 2. False when the sample is too short or the
// size is unusable; out is then left empty.
bool convertYuyvTurned(const uint8_t* data, std::size_t length, int width, int height,
                       int bytesPerLine, cv::Mat& out);

// 24-bit B, G, R rows. bytesPerLine 0 means width * 3.
bool convertBgr24Turned(const uint8_t* data, std::size_t length, int width, int height,
                        int bytesPerLine, cv::Mat& out);

// One JPEG picture; false when it cannot be decoded.
bool decodeMjpegTurned(const uint8_t* data, std::size_t length, cv::Mat& out);

// Dispatch by the negotiated format; Other produces no frame.
bool convertCameraSample(CameraPixelFormat format, const uint8_t* data, std::size_t length,
                         int width, int height, int bytesPerLine, cv::Mat& out);

// A decoded picture (grey, BGR or BGRA) as a BGR copy turned by 180°.
bool turnPictureToBgr(const cv::Mat& picture, cv::Mat& out);
