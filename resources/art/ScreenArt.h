#pragma once

#include <QImage>
#include <QString>

// Window backgrounds. Every one is stretched over its window, so none carries
// geometry that must line up with controls; bands are given as fractions of
// the height:
//   home_bk      behind the start page, 1440 x 810
//   main_bk      main window, 1440 x 810: pink throughout, for the white
//                title and white menu captions
//   settings_bk, member_bk, products_bk
//                1024 x 640: an accent header band over the top 9 % for the
//                white title, light body below for grey labels
//   compare_bk, singlereport_bk, report_bk
//                panels of the content area, 1280 x 720, light
//   start page   (bitmap 439) 1360 x 760, drawn to the exact layout of its
//                window
//
// Threading: stateless; call from the thread that owns the QGuiApplication.
namespace art {

// The background of the given stem ("home_bk", "main_bk", ...), or a null image.
QImage screenBackground(const QString& stem);

QImage startPage();

} // namespace art
