#include "previewwindow.h"

#include <QKeySequence>
#include <QPixmap>
#include <QScrollBar>
#include <QShortcut>
#include <algorithm>

namespace app {

namespace {

constexpr double ZoomStep = 1.25;
constexpr double LeastZoom = 0.05;
constexpr double MostZoom = 4;

} // namespace

PreviewWindow::PreviewWindow(QImage page, QWidget* parent)
    : QDialog(parent), m_page(std::move(page))
{
    m_ui.setupUi(this);
    connect(m_ui.zoomIn, &QPushButton::clicked, this, &PreviewWindow::ZoomIn);
    connect(m_ui.zoomOut, &QPushButton::clicked, this, &PreviewWindow::ZoomOut);
    connect(m_ui.fit, &QPushButton::clicked, this, &PreviewWindow::FitToWindow);
    connect(m_ui.close, &QPushButton::clicked, this, &QDialog::accept);
    auto* in = new QShortcut(QKeySequence::ZoomIn, this);
    connect(in, &QShortcut::activated, this, &PreviewWindow::ZoomIn);
    auto* out = new QShortcut(QKeySequence::ZoomOut, this);
    connect(out, &QShortcut::activated, this, &PreviewWindow::ZoomOut);
    FitToWindow();
}

void PreviewWindow::ZoomIn()
{
    m_fitted = false;
    SetZoom(m_zoom * ZoomStep);
}

void PreviewWindow::ZoomOut()
{
    m_fitted = false;
    SetZoom(m_zoom / ZoomStep);
}

void PreviewWindow::FitToWindow()
{
    m_fitted = true;
    if (m_page.isNull())
        return;
    // The whole page inside the viewport, without scroll bars.
    const QSize room = m_ui.scrollArea->viewport()->size() - QSize(2, 2);
    SetZoom(std::min(static_cast<double>(room.width()) / m_page.width(),
                     static_cast<double>(room.height()) / m_page.height()));
}

void PreviewWindow::SetZoom(double zoom)
{
    m_zoom = std::clamp(zoom, LeastZoom, MostZoom);
    if (m_page.isNull())
        return;
    const QSize size = (QSizeF(m_page.size()) * m_zoom).toSize().expandedTo(QSize(1, 1));
    m_ui.page->setPixmap(
        QPixmap::fromImage(m_page.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    m_ui.page->resize(size);
}

void PreviewWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (m_fitted)
        FitToWindow();
}

void PreviewWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_fitted)
        FitToWindow();
}

} // namespace app
