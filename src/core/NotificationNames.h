#pragma once

namespace fw {

// The application-wide notifications, by the names the design gives them
// (the spellings "Disble" and "Saveas" are the design's, kept on purpose).
struct NotificationName {
    static constexpr const char* FileDragDropNotification = "FileDragDropNotification";
    static constexpr const char* notificationHideOverwriteAlert = "notificationHideOverwriteAlert";
    static constexpr const char* notificationShowAlertWithType = "notificationShowAlertWithType";
    static constexpr const char* notificationShowOverwriteAlert = "notificationShowOverwriteAlert";
    static constexpr const char* notificationchangeTabUI = "notificationchangeTabUI";
    static constexpr const char* notificationUpdateFooterInfo = "notificationUpdateFooterInfo";
    static constexpr const char* notificationsDisbleCross = "notificationsDisbleCross";
    static constexpr const char* notificationsDisbleView = "notificationsDisbleView";
    static constexpr const char* notificationsEnable = "notificationsEnable";
    static constexpr const char* notificationsEnableCross = "notificationsEnableCross";
    static constexpr const char* notificationsHideLoading = "notificationsHideLoading";
    static constexpr const char* notificationsPhotosModified = "notificationsPhotosModified";
    static constexpr const char* notificationsProcessFinished = "notificationsProcessFinished";
    static constexpr const char* notificationsSaveasPredefinedSize =
        "notificationsSaveasPredefinedSize";
    static constexpr const char* showRatePopup = "showRatePopup";
};

} // namespace fw
