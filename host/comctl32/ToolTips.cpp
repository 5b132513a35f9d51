// The tooltip control ("tooltips_class32"). Each tooltip window keeps its tools; a filter on the
// widgets of the tools' windows answers Qt's tooltip requests (the mouse resting on a widget)
// with the text of the tool under the mouse, shown by QToolTip as every Qt widget shows its own.
// GUI thread only.
#include "host/commctrl.h"

#include <QEvent>
#include <QHelpEvent>
#include <QObject>
#include <QPointer>
#include <QToolTip>
#include <QWidget>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Tool {
    HWND owner = nullptr; // the window the tool lies in
    UINT_PTR id = 0;      // the caller's id (or the tool's window)
    bool whole = false;   // the whole window (TTF_IDISHWND) or a rectangle of it
    QRect area;           // client coordinates, for a rectangle tool
    QString text;
};

// The tools of one tooltip window and the filter on their widgets.
class ToolTipControl : public QObject {
  public:
    bool add(TOOLINFOA const& info) {
        Tool tool;
        tool.whole = (info.uFlags & TTF_IDISHWND) != 0;
        tool.owner = tool.whole ? reinterpret_cast<HWND>(info.uId) : info.hwnd;
        tool.id = info.uId;
        tool.area =
            QRect(QPoint(info.rect.left, info.rect.top), QPoint(info.rect.right - 1, info.rect.bottom - 1));
        tool.text = QString::fromLocal8Bit(info.lpszText ? info.lpszText : "");
        remove(info);
        QWidget* widget = host::window_widget(tool.owner);
        if (!widget)
            return false;
        widget->installEventFilter(this);
        m_tools.push_back(tool);
        return true;
    }

    void remove(TOOLINFOA const& info) {
        const HWND owner = (info.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(info.uId) : info.hwnd;
        std::erase_if(m_tools, [&](Tool const& tool) { return tool.owner == owner && tool.id == info.uId; });
    }

    std::size_t count() const { return m_tools.size(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        auto* help = static_cast<QHelpEvent*>(event);
        for (Tool const& tool : m_tools) {
            if (host::window_widget(tool.owner) != widget)
                continue;
            const QRect area = tool.whole ? widget->rect() : tool.area;
            if (area.contains(help->pos())) {
                QToolTip::showText(help->globalPos(), tool.text, widget, area);
                return true;
            }
        }
        // Only the tools of this control are its business; elsewhere on the widget no tip shows.
        const bool ours = std::ranges::any_of(
            m_tools, [widget](Tool const& tool) { return host::window_widget(tool.owner) == widget; });
        if (ours) {
            QToolTip::hideText();
            event->ignore();
        }
        return ours;
    }

  private:
    std::vector<Tool> m_tools;
};

std::map<HWND, std::unique_ptr<ToolTipControl>>& controls() {
    static std::map<HWND, std::unique_ptr<ToolTipControl>> table;
    return table;
}

LRESULT tool_tip_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
        controls()[hwnd] = std::make_unique<ToolTipControl>();
        return 0;
    case WM_DESTROY:
        controls().erase(hwnd);
        return 0;
    case TTM_ADDTOOLA:
    case TTM_DELTOOLA: {
        auto const* info = reinterpret_cast<TOOLINFOA const*>(lparam);
        const auto found = controls().find(hwnd);
        if (!info || info->cbSize < sizeof(TOOLINFOA) || found == controls().end())
            return FALSE;
        if (message == TTM_ADDTOOLA)
            return found->second->add(*info) ? TRUE : FALSE;
        found->second->remove(*info);
        return TRUE;
    }
    case TTM_GETTOOLCOUNT: {
        const auto found = controls().find(hwnd);
        return found == controls().end() ? 0 : static_cast<LRESULT>(found->second->count());
    }
    default:
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }
}

} // namespace

extern "C" void InitCommonControls() {
    static const bool registered = [] {
        WNDCLASSA tool_tips{};
        tool_tips.lpfnWndProc = tool_tip_procedure;
        tool_tips.lpszClassName = TOOLTIPS_CLASSA;
        return RegisterClassA(&tool_tips) != 0;
    }();
    (void)registered;
}
