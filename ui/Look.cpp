#include "ui/Look.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPalette>
#include <QWidget>

namespace qv::ui {

QColor ColourOf(forms::Colour c) {
  switch (c) {
    case forms::Colour::ButtonFace:
    case forms::Colour::Window: return {};
    case forms::Colour::Yellow: return {255, 255, 0};
    case forms::Colour::Red: return {220, 30, 30};
    case forms::Colour::Lime: return {0, 255, 0};
    case forms::Colour::Green: return {0, 128, 0};
    case forms::Colour::Aqua: return {0, 255, 255};
    case forms::Colour::White: return {255, 255, 255};
    case forms::Colour::Black: return {0, 0, 0};
  }
  return {};
}

void ApplyColour(QWidget& w, forms::Colour c, bool fill) {
  const QColor bg = ColourOf(c);
  if (!bg.isValid()) {
    // An empty palette hands the widget back to its parent's and the style's.
    w.setPalette(QPalette());
    w.setAutoFillBackground(false);
    return;
  }
  // Text stays readable on dark colours.
  const double luminance = 0.299 * bg.red() + 0.587 * bg.green() + 0.114 * bg.blue();
  const QColor fg = luminance < 140 ? QColor(Qt::white) : QColor(Qt::black);
  QPalette p;
  for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
    p.setColor(role, bg);
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    p.setColor(role, fg);
  w.setPalette(p);
  w.setAutoFillBackground(fill);
}

QFont FixedFont() { return QFontDatabase::systemFont(QFontDatabase::FixedFont); }

QFont PixelFont(const QFont& base, int pixels, bool bold) {
  QFont f = base;
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

void PanelLook(QLabel& panel) {
  panel.setFixedSize(150, 40);
  panel.setFont(PixelFont(panel.font(), 15, true));
}

QFont HeadingFont(const QFont& base) {
  QFont f = base;
  f.setBold(true);
  return f;
}

QString ExpandTabs(const QString& text, const std::vector<int>& columns) {
  if (!text.contains(QLatin1Char('\t'))) return text;
  QString out;
  int column = 0;
  for (const QChar ch : text) {
    if (ch == QLatin1Char('\n')) {
      out += ch;
      column = 0;
    } else if (ch == QLatin1Char('\t')) {
      int stop = (column / 8 + 1) * 8;
      for (int c : columns) {
        if (c > column) {
          stop = c;
          break;
        }
      }
      out += QString(stop - column, QLatin1Char(' '));
      column = stop;
    } else {
      out += ch;
      ++column;
    }
  }
  return out;
}

}  // namespace qv::ui
