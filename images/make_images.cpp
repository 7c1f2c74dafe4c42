// Draws the images shipped beside the editor: the object icons ("objects"),
// the built-in images ("assets") and the clipboard sample ("samples").
// Usage: ze-make-images <images folder>. Run it on the offscreen platform;
// the PNGs and JPEGs it writes are checked in, so it is run by hand only
// when a picture changes.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kIcon = 48;

const QColor kInk(40, 48, 60);
const QColor kAccent(33, 118, 210);
const QColor kLight(226, 234, 244);
const QColor kPaper(255, 255, 255);

using Draw = std::function<void(QPainter&)>;

QFont LabelFont(int pixels, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Images are opaque: the grids show them as 24-bit bitmaps, where a
// transparent pixel would turn black.
bool Save(const QString& path, int width, int height, const Draw& draw,
          const QColor& background = kPaper) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(background);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        draw(painter);
    }
    const bool jpeg = path.endsWith(QStringLiteral(".jpg"));
    if (!image.save(path, jpeg ? "JPG" : "PNG", jpeg ? 90 : -1)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

void Box(QPainter& p, const QRectF& r, const QColor& fill, const QColor& line = kInk,
         qreal radius = 0) {
    p.setPen(QPen(line, 1.5));
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);
}

void Text(QPainter& p, const QRectF& r, const QString& text, int pixels, const QColor& colour,
          bool bold = false) {
    p.setFont(LabelFont(pixels, bold));
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
}

void VerticalBar(QPainter& p, qreal x, qreal top, qreal bottom, qreal thumbTop, qreal thumbBottom) {
    p.setPen(Qt::NoPen);
    p.setBrush(kLight);
    p.drawRect(QRectF(x, top, 6, bottom - top));
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(x + 1, thumbTop, 4, thumbBottom - thumbTop), 2, 2);
}

void HorizontalBar(QPainter& p, qreal y, qreal left, qreal right, qreal thumbLeft,
                   qreal thumbRight) {
    p.setPen(Qt::NoPen);
    p.setBrush(kLight);
    p.drawRect(QRectF(left, y, right - left, 6));
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(thumbLeft, y + 1, thumbRight - thumbLeft, 4), 2, 2);
}

void Lines(QPainter& p, qreal left, qreal right, qreal top, int count, qreal step) {
    p.setPen(QPen(QColor(150, 160, 175), 2));
    for (int i = 0; i < count; ++i) {
        p.drawLine(QPointF(left, top + i * step), QPointF(right, top + i * step));
    }
}

struct Icon {
    const char* name;
    Draw draw;
};

std::vector<Icon> ObjectIcons() {
    return {
        {"01_FRAME.png",
         [](QPainter& p) {
             Box(p, QRectF(5, 5, 38, 38), kLight);
             Box(p, QRectF(11, 11, 18, 14), kPaper, kAccent);
             Box(p, QRectF(19, 21, 18, 16), kPaper, kAccent);
         }},
        {"02_LINEAR.png",
         [](QPainter& p) {
             Box(p, QRectF(5, 5, 38, 38), kLight);
             for (int i = 0; i < 3; ++i) {
                 Box(p, QRectF(10, 10 + i * 10.5, 28, 7.5), kPaper, kAccent, 2);
             }
         }},
        {"03_RADIO.png",
         [](QPainter& p) {
             Box(p, QRectF(5, 5, 38, 38), kLight);
             for (int i = 0; i < 2; ++i) {
                 p.setPen(QPen(kInk, 1.5));
                 p.setBrush(kPaper);
                 p.drawEllipse(QPointF(14, 17 + i * 14), 5, 5);
                 p.setPen(QPen(QColor(150, 160, 175), 2));
                 p.drawLine(QPointF(23, 17 + i * 14), QPointF(37, 17 + i * 14));
             }
             p.setPen(Qt::NoPen);
             p.setBrush(kAccent);
             p.drawEllipse(QPointF(14, 17), 2.5, 2.5);
         }},
        {"04_SCROLL.png",
         [](QPainter& p) {
             Box(p, QRectF(5, 5, 38, 38), kPaper);
             Lines(p, 10, 31, 12, 5, 6);
             VerticalBar(p, 35, 7, 41, 10, 22);
         }},
        {"05_HSCROLL.png",
         [](QPainter& p) {
             Box(p, QRectF(5, 5, 38, 38), kPaper);
             for (int i = 0; i < 3; ++i) {
                 Box(p, QRectF(9 + i * 12, 11, 9, 20), kLight, kAccent, 1);
             }
             HorizontalBar(p, 35, 7, 41, 10, 24);
         }},
        {"06_PAGE.png",
         [](QPainter& p) {
             Box(p, QRectF(13, 5, 28, 32), kLight);
             Box(p, QRectF(7, 9, 28, 32), kPaper);
             Lines(p, 12, 30, 16, 4, 6);
             p.setPen(Qt::NoPen);
             for (int i = 0; i < 3; ++i) {
                 p.setBrush(i == 0 ? kAccent : QColor(170, 180, 195));
                 p.drawEllipse(QPointF(18 + i * 6, 45), 1.8, 1.8);
             }
         }},
        {"07_TABLE.png",
         [](QPainter& p) {
             Box(p, QRectF(5, 8, 38, 32), kPaper);
             p.setPen(QPen(kInk, 1));
             for (int i = 1; i < 3; ++i) {
                 p.drawLine(QPointF(5 + i * 38.0 / 3, 8), QPointF(5 + i * 38.0 / 3, 40));
                 p.drawLine(QPointF(5, 8 + i * 32.0 / 3), QPointF(43, 8 + i * 32.0 / 3));
             }
         }},
        {"08_TABLEROW.png",
         [](QPainter& p) {
             p.setPen(QPen(QColor(170, 180, 195), 1, Qt::DashLine));
             p.setBrush(Qt::NoBrush);
             p.drawRect(QRectF(5, 8, 38, 32));
             Box(p, QRectF(5, 19, 38, 11), QColor(200, 222, 248), kAccent);
             p.setPen(QPen(kAccent, 1));
             for (int i = 1; i < 3; ++i) {
                 p.drawLine(QPointF(5 + i * 38.0 / 3, 19), QPointF(5 + i * 38.0 / 3, 30));
             }
         }},
        {"09_RELATIVE.png",
         [](QPainter& p) {
             Box(p, QRectF(5, 5, 38, 38), kLight);
             Box(p, QRectF(9, 9, 13, 11), kPaper, kAccent);
             Box(p, QRectF(26, 28, 13, 11), kPaper, kAccent);
             p.setPen(QPen(kInk, 1.5));
             p.drawLine(QPointF(22, 14), QPointF(32, 14));
             p.drawLine(QPointF(32, 14), QPointF(32, 27));
             QPainterPath head;
             head.moveTo(28.5, 23);
             head.lineTo(32, 28);
             head.lineTo(35.5, 23);
             p.drawPath(head);
         }},
        {"10_TEXT.png", [](QPainter& p) { Text(p, QRectF(0, 4, 48, 40), "Aa", 24, kInk, true); }},
        {"11_EDIT.png",
         [](QPainter& p) {
             Box(p, QRectF(4, 14, 40, 20), kPaper, kInk, 2);
             Text(p, QRectF(6, 14, 24, 20), "ab", 13, kInk);
             p.setPen(QPen(kAccent, 1.5));
             p.drawLine(QPointF(30, 18), QPointF(30, 30));
         }},
        {"12_BUTTON.png",
         [](QPainter& p) {
             QLinearGradient shade(0, 12, 0, 36);
             shade.setColorAt(0, QColor(92, 160, 235));
             shade.setColorAt(1, QColor(28, 96, 180));
             p.setPen(QPen(QColor(20, 70, 140), 1.5));
             p.setBrush(shade);
             p.drawRoundedRect(QRectF(4, 12, 40, 24), 6, 6);
             Text(p, QRectF(4, 12, 40, 24), "OK", 13, kPaper, true);
         }},
        {"13_CHECKBOX.png",
         [](QPainter& p) {
             Box(p, QRectF(10, 10, 28, 28), kPaper, kInk, 3);
             QPainterPath tick;
             tick.moveTo(15, 24);
             tick.lineTo(21, 31);
             tick.lineTo(33, 16);
             p.setPen(QPen(kAccent, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
             p.setBrush(Qt::NoBrush);
             p.drawPath(tick);
         }},
        {"14_TOGGLE.png",
         [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(52, 178, 90));
             p.drawRoundedRect(QRectF(5, 15, 38, 18), 9, 9);
             p.setBrush(kPaper);
             p.drawEllipse(QPointF(34, 24), 7, 7);
         }},
        {"15_RADIOBTN.png",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 2));
             p.setBrush(kPaper);
             p.drawEllipse(QPointF(24, 24), 14, 14);
             p.setPen(Qt::NoPen);
             p.setBrush(kAccent);
             p.drawEllipse(QPointF(24, 24), 7, 7);
         }},
        {"16_PICTURE.png",
         [](QPainter& p) {
             Box(p, QRectF(4, 8, 40, 32), QColor(190, 225, 250));
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(250, 200, 40));
             p.drawEllipse(QPointF(34, 17), 4.5, 4.5);
             QPainterPath hills;
             hills.moveTo(5, 39);
             hills.lineTo(17, 21);
             hills.lineTo(26, 32);
             hills.lineTo(31, 26);
             hills.lineTo(43, 39);
             hills.closeSubpath();
             p.setBrush(QColor(60, 150, 80));
             p.drawPath(hills);
         }},
        {"17_CANVAS.png",
         [](QPainter& p) {
             Box(p, QRectF(4, 6, 40, 36), kPaper);
             QPainterPath stroke;
             stroke.moveTo(9, 34);
             stroke.cubicTo(15, 8, 24, 40, 30, 16);
             stroke.cubicTo(33, 8, 37, 14, 39, 12);
             p.setPen(QPen(QColor(220, 60, 90), 3, Qt::SolidLine, Qt::RoundCap));
             p.setBrush(Qt::NoBrush);
             p.drawPath(stroke);
         }},
        {"18_GRID.png",
         [](QPainter& p) {
             Box(p, QRectF(4, 7, 40, 34), kPaper);
             p.setPen(Qt::NoPen);
             p.setBrush(kAccent);
             p.drawRect(QRectF(5, 8, 38, 8));
             p.setPen(QPen(kInk, 1));
             for (int i = 1; i < 4; ++i) {
                 p.drawLine(QPointF(4, 16 + (i - 1) * 8.3), QPointF(44, 16 + (i - 1) * 8.3));
             }
             p.drawLine(QPointF(20, 8), QPointF(20, 41));
         }},
        {"19_PULLDOWN.png",
         [](QPainter& p) {
             Box(p, QRectF(4, 14, 40, 20), kPaper, kInk, 2);
             p.setPen(Qt::NoPen);
             p.setBrush(kLight);
             p.drawRect(QRectF(30, 15, 13, 18));
             QPainterPath arrow;
             arrow.moveTo(33, 21);
             arrow.lineTo(40, 21);
             arrow.lineTo(36.5, 27);
             arrow.closeSubpath();
             p.setBrush(kInk);
             p.drawPath(arrow);
             Lines(p, 9, 25, 24, 1, 0);
         }},
        {"20_PROGRESS.png",
         [](QPainter& p) {
             Box(p, QRectF(4, 18, 40, 12), kLight, kInk, 3);
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(52, 178, 90));
             p.drawRoundedRect(QRectF(5.5, 19.5, 25, 9), 2, 2);
         }},
        {"21_SLIDEBAR.png",
         [](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(kLight);
             p.drawRoundedRect(QRectF(5, 22, 38, 4), 2, 2);
             p.setBrush(kAccent);
             p.drawRoundedRect(QRectF(5, 22, 18, 4), 2, 2);
             p.setPen(QPen(kInk, 1.5));
             p.setBrush(kPaper);
             p.drawEllipse(QPointF(24, 24), 6, 6);
         }},
        {"22_METER.png",
         [](QPainter& p) {
             p.setPen(QPen(kLight, 6, Qt::SolidLine, Qt::FlatCap));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(7, 12, 34, 34), 0, 180 * 16);
             p.setPen(QPen(QColor(230, 120, 30), 6, Qt::SolidLine, Qt::FlatCap));
             p.drawArc(QRectF(7, 12, 34, 34), 60 * 16, 120 * 16);
             p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(24, 29), QPointF(31, 17));
             p.setPen(Qt::NoPen);
             p.setBrush(kInk);
             p.drawEllipse(QPointF(24, 29), 2.5, 2.5);
         }},
        {"23_GRAPH.png",
         [](QPainter& p) {
             p.setPen(QPen(kInk, 1.5));
             p.drawLine(QPointF(7, 6), QPointF(7, 41));
             p.drawLine(QPointF(7, 41), QPointF(43, 41));
             const int heights[] = {12, 22, 16, 30};
             p.setPen(Qt::NoPen);
             for (int i = 0; i < 4; ++i) {
                 p.setBrush(i % 2 ? kAccent : QColor(52, 178, 90));
                 p.drawRect(QRectF(11 + i * 8, 40 - heights[i], 6, heights[i]));
             }
         }},
        {"24_VLIST.png",
         [](QPainter& p) {
             Box(p, QRectF(6, 4, 36, 40), kPaper);
             for (int i = 0; i < 4; ++i) {
                 p.setPen(Qt::NoPen);
                 p.setBrush(i == 1 ? QColor(200, 222, 248) : kPaper);
                 p.drawRect(QRectF(7, 5 + i * 9.6, 34, 9));
                 p.setBrush(kAccent);
                 p.drawEllipse(QPointF(12, 9.5 + i * 9.6), 2, 2);
                 p.setPen(QPen(QColor(150, 160, 175), 2));
                 p.drawLine(QPointF(17, 9.5 + i * 9.6), QPointF(36, 9.5 + i * 9.6));
             }
         }},
        {"25_HLIST.png",
         [](QPainter& p) {
             Box(p, QRectF(3, 12, 42, 24), kPaper);
             for (int i = 0; i < 3; ++i) {
                 Box(p, QRectF(6 + i * 13, 15, 10, 18), i == 0 ? QColor(200, 222, 248) : kLight,
                     kAccent, 2);
             }
         }},
    };
}

Draw Button(const QColor& top, const QColor& bottom, const QString& label) {
    return [=](QPainter& p) {
        QLinearGradient shade(0, 0, 0, 32);
        shade.setColorAt(0, top);
        shade.setColorAt(1, bottom);
        p.setPen(QPen(bottom.darker(130), 1.5));
        p.setBrush(shade);
        p.drawRoundedRect(QRectF(1, 1, 78, 30), 8, 8);
        Text(p, QRectF(0, 0, 80, 32), label, 14, kPaper, true);
    };
}

bool WriteObjects(const QString& folder) {
    bool ok = true;
    for (const Icon& icon : ObjectIcons()) {
        ok = Save(folder + "/" + icon.name, kIcon, kIcon, icon.draw) && ok;
    }
    return ok;
}

bool WriteAssets(const QString& folder) {
    bool ok = true;
    auto save = [&](const char* name, int width, int height, const Draw& draw,
                    const QColor& background = kPaper) {
        ok = Save(folder + "/" + name, width, height, draw, background) && ok;
    };
    save("btn_blue[40-16].png", 80, 32, Button(QColor(92, 160, 235), QColor(28, 96, 180), "OK"));
    save("btn_green[40-16].png", 80, 32,
         Button(QColor(110, 210, 130), QColor(30, 140, 60), "START"));
    save("btn_red[40-16].png", 80, 32, Button(QColor(240, 110, 100), QColor(180, 40, 30), "STOP"));
    save("frame_round[12-12].png", 48, 48, [](QPainter& p) {
        p.setPen(QPen(kAccent, 3));
        p.setBrush(kLight);
        p.drawRoundedRect(QRectF(3, 3, 42, 42), 12, 12);
    });
    save("bg_gradient.jpg", 160, 120, [](QPainter& p) {
        QLinearGradient sky(0, 0, 0, 120);
        sky.setColorAt(0, QColor(20, 60, 130));
        sky.setColorAt(1, QColor(150, 200, 240));
        p.fillRect(QRectF(0, 0, 160, 120), sky);
    });
    save("bg_tile.png", 32, 32, [](QPainter& p) {
        p.fillRect(QRectF(0, 0, 16, 16), QColor(236, 240, 246));
        p.fillRect(QRectF(16, 16, 16, 16), QColor(236, 240, 246));
    });
    save("photo_sunset.jpg", 120, 80, [](QPainter& p) {
        QLinearGradient sky(0, 0, 0, 56);
        sky.setColorAt(0, QColor(250, 140, 60));
        sky.setColorAt(1, QColor(255, 220, 150));
        p.fillRect(QRectF(0, 0, 120, 56), sky);
        QRadialGradient sun(QPointF(60, 56), 18);
        sun.setColorAt(0, QColor(255, 250, 200));
        sun.setColorAt(1, QColor(255, 170, 60));
        p.setPen(Qt::NoPen);
        p.setBrush(sun);
        p.drawEllipse(QPointF(60, 56), 18, 18);
        p.fillRect(QRectF(0, 56, 120, 24), QColor(30, 70, 120));
    });
    save("icon_home.png", 32, 32, [](QPainter& p) {
        QPainterPath house;
        house.moveTo(16, 4);
        house.lineTo(29, 16);
        house.lineTo(25, 16);
        house.lineTo(25, 28);
        house.lineTo(7, 28);
        house.lineTo(7, 16);
        house.lineTo(3, 16);
        house.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawPath(house);
        p.setBrush(kPaper);
        p.drawRect(QRectF(13, 19, 6, 9));
    });
    save("icon_search.png", 32, 32, [](QPainter& p) {
        p.setPen(QPen(kInk, 3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(13, 13), 8, 8);
        p.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(19, 19), QPointF(28, 28));
    });
    save("icon_mail.png", 32, 32, [](QPainter& p) {
        Box(p, QRectF(3, 7, 26, 18), kPaper, kInk, 2);
        p.setPen(QPen(kInk, 1.5));
        p.drawLine(QPointF(4, 8), QPointF(16, 18));
        p.drawLine(QPointF(16, 18), QPointF(28, 8));
    });
    save("icon_settings.png", 32, 32, [](QPainter& p) {
        p.setPen(QPen(QColor(90, 100, 115), 4, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 4; ++i) {
            p.save();
            p.translate(16, 16);
            p.rotate(45.0 * i);
            p.drawLine(QPointF(-12, 0), QPointF(12, 0));
            p.restore();
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 100, 115));
        p.drawEllipse(QPointF(16, 16), 8, 8);
        p.setBrush(kPaper);
        p.drawEllipse(QPointF(16, 16), 3.5, 3.5);
    });
    save("arrow_left[8-16].png", 16, 32, [](QPainter& p) {
        QPainterPath arrow;
        arrow.moveTo(12, 4);
        arrow.lineTo(3, 16);
        arrow.lineTo(12, 28);
        p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(arrow);
    });
    save("arrow_right[8-16].png", 16, 32, [](QPainter& p) {
        QPainterPath arrow;
        arrow.moveTo(4, 4);
        arrow.lineTo(13, 16);
        arrow.lineTo(4, 28);
        p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(arrow);
    });
    return ok;
}

bool WriteSamples(const QString& folder) {
    return Save(folder + "/Clipboard.png", kIcon, kIcon, [](QPainter& p) {
        Box(p, QRectF(8, 7, 32, 38), QColor(196, 150, 100), QColor(120, 80, 40), 3);
        Box(p, QRectF(12, 12, 24, 29), kPaper, QColor(150, 150, 150));
        Box(p, QRectF(17, 4, 14, 7), QColor(170, 175, 185), kInk, 2);
        Lines(p, 16, 32, 19, 4, 5.5);
    });
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ze-make-images <images folder>\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (const char* folder : {"objects", "assets", "samples"}) {
        if (!QDir(root).mkpath(QString::fromLatin1(folder))) {
            std::fprintf(stderr, "cannot create %s/%s\n", argv[1], folder);
            return 1;
        }
    }
    const bool ok = WriteObjects(root + "/objects") && WriteAssets(root + "/assets") &&
                    WriteSamples(root + "/samples");
    return ok ? 0 : 1;
}
