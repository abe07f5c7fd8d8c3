// user32: the system menu.
#include "win32/CallLog.h"

using desktop::Desktop;
using desktop::logCall;

HMENU WINAPI GetSystemMenu(HWND hWnd, BOOL bRevert)
{
    return Desktop::instance().systemMenu(hWnd, bRevert != FALSE);
}

BOOL WINAPI RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags)
{
    return Desktop::instance().removeMenu(hMenu, uPosition, uFlags);
}

BOOL WINAPI AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem)
{
    logCall("AppendMenuA", static_cast<long long>(uIDNewItem));
    return Desktop::instance().appendMenu(hMenu, uFlags, uIDNewItem, lpNewItem);
}

int WINAPI GetMenuItemCount(HMENU hMenu)
{
    const desktop::Menu* m = Desktop::instance().findMenu(hMenu);
    return m == nullptr ? -1 : static_cast<int>(m->items.size());
}
