#include "close_route.h"

#include "session_end.h"

namespace petarino::e2e {
namespace {

std::future<bool> Done(bool made) {
    std::promise<bool> result;
    result.set_value(made);
    return result.get_future();
}

} // namespace

std::ostream& operator<<(std::ostream& out, CloseRoute route) {
    switch (route) {
    case CloseRoute::TrayMenu: return out << "TrayMenu";
    case CloseRoute::ExitButton: return out << "ExitButton";
    case CloseRoute::CloseBox: return out << "CloseBox";
    case CloseRoute::ApplicationWindow: return out << "ApplicationWindow";
    case CloseRoute::EndOfSession: return out << "EndOfSession";
    }
    return out;
}

std::future<bool> RequestClose(const RunningPetarino& petarino, CloseRoute route) {
    switch (route) {
    case CloseRoute::TrayMenu: return Done(petarino.ChooseFromTrayMenu(L'x'));
    case CloseRoute::ExitButton: {
        if (!petarino.ShowProperties()) return Done(false);
        HWND button = petarino.Control(L"Button", L"終了(&X)");
        return Done(button && PostMessageW(button, BM_CLICK, 0, 0));
    }
    case CloseRoute::CloseBox:
        return Done(petarino.ShowProperties() &&
                    PostMessageW(petarino.Properties(), WM_SYSCOMMAND, SC_CLOSE, 0));
    case CloseRoute::ApplicationWindow:
        return Done(PostMessageW(petarino.ApplicationWindow(), WM_CLOSE, 0, 0) != FALSE);
    case CloseRoute::EndOfSession:
        return std::async(std::launch::async, remote::EndSession, petarino.Id());
    }
    return Done(false);
}

} // namespace petarino::e2e
