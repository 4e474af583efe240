#pragma once

#include <opencv2/core.hpp>

#include <string>

class QPainter;
class QRect;

// A small image holder that puts a picture on screen. A screen copies a
// picture into a holder (as colour), draws it into a rectangle of a QPainter
// and throws the holder away; the holder owns its own copy, so drawing never
// changes the caller's picture.
//
// The held picture is 8-bit with 1, 3 or 4 channels. Its origin flag says how
// its rows run: 0 top-down (every picture of the program), 1 bottom-up.
//
// Threading: not shared; use a holder on one thread. Drawing happens on the GUI
// thread like all painting.
class CvvImage {
public:
    CvvImage() = default;
    virtual ~CvvImage();
    CvvImage(const CvvImage&) = delete;
    CvvImage& operator=(const CvvImage&) = delete;

    // Makes the held picture width x height with bitsPerPixel / 8 channels,
    // reusing it (uncleared) when its geometry already matches. Refuses, keeping
    // the held picture, unless bitsPerPixel is 8, 24 or 32, both sides are
    // under 10000 and origin is 0 or 1.
    virtual bool create(int width, int height, int bitsPerPixel, int origin = 0);

    // Loads a file with the image library (desiredColour > 0 colour, 0 grey,
    // < 0 as stored). False when the file cannot be read.
    virtual bool load(const std::string& file, int desiredColour = 1);

    // Loads the part of a file given as left, top, right, bottom.
    virtual bool loadRect(const std::string& file, int desiredColour, int left, int top, int right,
                          int bottom);

    // Loads the part of a file given as x, y, width, height, clipped to the
    // picture; a zero width or height takes the whole picture. False for a
    // negative size or a region wholly outside the picture.
    virtual bool loadRegion(const std::string& file, int desiredColour, int x, int y, int width,
                            int height);

    // Writes the held picture with the image library; false when empty or the
    // library cannot write it.
    virtual bool save(const std::string& file);

    // Copies a picture into the holder. desiredColour < 0 keeps colour pictures
    // colour and grey ones grey; 0 makes it grey (library weights); > 0 makes it
    // colour (a grey value goes into all three channels). An empty or non-8-bit
    // source is ignored.
    virtual void copyOf(const cv::Mat& source, int desiredColour = -1, int origin = 0);
    virtual void copyOf(const CvvImage& other, int desiredColour);

    // Releases the held picture.
    virtual void destroy();

    // Sets every pixel from a packed colour: channel 0 = c & 255, channel 1 =
    // (c >> 8) & 255, channel 2 = (c >> 16) & 255, channel 3 = c >> 24.
    virtual void fill(unsigned int colour);

    // Unscaled copy of the block of width x height starting at (fromX, fromY)
    // of the held picture to (x, y), clipped to the picture.
    virtual void show(QPainter& painter, int x, int y, int width, int height, int fromX, int fromY);

    // Draws the whole picture into the rectangle: an unscaled copy when the
    // sizes agree, otherwise smoothly scaled. A rectangle given with right < left
    // or bottom < top is normalised.
    virtual void drawToRect(QPainter& painter, const QRect& destination);

    const cv::Mat& image() const { return m_image; }
    int width() const { return m_image.cols; }
    int height() const { return m_image.rows; }
    int origin() const { return m_origin; }
    // 8 x channels, 0 when empty.
    int bitsPerPixel() const;

private:
    cv::Mat m_image;
    int m_origin = 0;
};
