#pragma once

namespace fw {

// The keys of the string tables (BS_<language>.plist) that the code looks up,
// with their texts as the tables spell them. (Some keep the design's
// spellings, DISBLE and the like, on purpose: the tables use them.)
struct StringKey {
    static constexpr const char* ACCESS_DENIED_DEST = "ACCESS_DENIED_DEST";
    static constexpr const char* ACCESS_DENIED_SOURCE = "ACCESS_DENIED_SOURCE";
    static constexpr const char* ADDED = "ADDED";
    static constexpr const char* ALL_PHOTO_NOT_EXISTS = "ALL_PHOTO_NOT_EXISTS";
    static constexpr const char* APPROX = "APPROX";
    static constexpr const char* COLUMN_DIMENSIONS = "COLUMN_DIMENSIONS";
    static constexpr const char* COLUMN_FILE_SIZE = "COLUMN_FILE_SIZE";
    static constexpr const char* COLUMN_LOCATION = "COLUMN_LOCATION";
    static constexpr const char* COLUMN_MARK = "COLUMN_MARK";
    static constexpr const char* COLUMN_NAME = "COLUMN_NAME";
    static constexpr const char* COLUMN_TYPE = "COLUMN_TYPE";
    static constexpr const char* CONVERSION_FAILED = "CONVERSION_FAILED";
    static constexpr const char* DEST_FOLDER_NOT_EXISTS = "DEST_FOLDER_NOT_EXISTS";
    static constexpr const char* DEST_SPACE_UNAVAILABLE = "DEST_SPACE_UNAVAILABLE";
    static constexpr const char* ERROR_REPORTED = "ERROR_REPORTED";
    static constexpr const char* EXISTING_OUTPUT_KEPT = "EXISTING_OUTPUT_KEPT";
    static constexpr const char* EXISTING_OUTPUT_REPLACED = "EXISTING_OUTPUT_REPLACED";
    static constexpr const char* FILES_NOT_ADDED = "FILES_NOT_ADDED";
    static constexpr const char* FILE_CANT_ADDED = "FILE_CANT_ADDED";
    static constexpr const char* FILE_DIM_TOO_LONG = "FILE_DIM_TOO_LONG";
    static constexpr const char* FILE_EXISTS_WITH_SAME_NAME = "FILE_EXISTS_WITH_SAME_NAME";
    static constexpr const char* FILE_NAME_CANT_EMPTY = "FILE_NAME_CANT_EMPTY";
    static constexpr const char* FILE_NOT_AT_SOURCE_DIR = "FILE_NOT_AT_SOURCE_DIR";
    static constexpr const char* FILE_NOT_PROCESSED = "FILE_NOT_PROCESSED";
    static constexpr const char* FILE_NOT_READ = "FILE_NOT_READ";
    static constexpr const char* FILE_NOT_SAVED = "FILE_NOT_SAVED";
    static constexpr const char* FILE_PROCESS = "FILE_PROCESS";
    static constexpr const char* FILE_SIZE_EXCEEDED = "FILE_SIZE_EXCEEDED";
    static constexpr const char* FILE_SKIPPED = "FILE_SKIPPED";
    static constexpr const char* HOURS = "HOURS";
    static constexpr const char* INVALID_FILENAME = "INVALID_FILENAME";
    static constexpr const char* MINUTES = "MINUTES";
    static constexpr const char* NEW_SIZE = "NEW_SIZE";
    static constexpr const char* NOT_ENOUGH_SPACE = "NOT_ENOUGH_SPACE";
    static constexpr const char* NO_LONGER_EXISTS_AT_SOURCE = "NO_LONGER_EXISTS_AT_SOURCE";
    static constexpr const char* NO_PHOTOS_ADDED = "NO_PHOTOS_ADDED";
    static constexpr const char* NO_PHOTOS_ADDED_MSG = "NO_PHOTOS_ADDED_MSG";
    static constexpr const char* NO_PHOTOS_SELECTED = "NO_PHOTOS_SELECTED";
    static constexpr const char* NO_PHOTOS_SELECTED_MSG = "NO_PHOTOS_SELECTED_MSG";
    static constexpr const char* NO_PHOTOS_TO_ADD = "NO_PHOTOS_TO_ADD";
    static constexpr const char* NO_PHOTOS_TO_ADD_MSG = "NO_PHOTOS_TO_ADD_MSG";
    static constexpr const char* NO_SIZE_SELECTED = "NO_SIZE_SELECTED";
    static constexpr const char* NO_SIZE_SELECTED_MSG = "NO_SIZE_SELECTED_MSG";
    static constexpr const char* PERMISSION_ERROR = "PERMISSION_ERROR";
    static constexpr const char* PHOTOS_ADDED = "PHOTOS_ADDED";
    static constexpr const char* PHOTOS_CANT_ADDED_FROM_TRASH = "PHOTOS_CANT_ADDED_FROM_TRASH";
    static constexpr const char* PHOTOS_EXISTS_IN_BATCH = "PHOTOS_EXISTS_IN_BATCH";
    static constexpr const char* PHOTO_EXISTS = "PHOTO_EXISTS";
    static constexpr const char* PHOTO_LIMIT_EXCEED = "PHOTO_LIMIT_EXCEED";
    static constexpr const char* PROCESSED_SUCCESSFULLY = "PROCESSED_SUCCESSFULLY";
    static constexpr const char* PROCESSING = "PROCESSING";
    static constexpr const char* PROCESS_COMPLETED = "PROCESS_COMPLETED";
    static constexpr const char* REFUSED_ALREADY_IN_BATCH = "REFUSED_ALREADY_IN_BATCH";
    static constexpr const char* REFUSED_CANNOT_BE_READ = "REFUSED_CANNOT_BE_READ";
    static constexpr const char* REFUSED_NOT_A_PHOTO = "REFUSED_NOT_A_PHOTO";
    static constexpr const char* REFUSED_OUTSIDE_LIBRARY = "REFUSED_OUTSIDE_LIBRARY";
    static constexpr const char* REFUSED_PERMISSION_DENIED = "REFUSED_PERMISSION_DENIED";
    static constexpr const char* REMOVE_ALL_MSG = "REMOVE_ALL_MSG";
    static constexpr const char* REMOVE_ALL_PHOTOS = "REMOVE_ALL_PHOTOS";
    static constexpr const char* REMOVE_FROM_BATCH = "REMOVE_FROM_BATCH";
    static constexpr const char* REMOVE_SELECTED_MSG = "REMOVE_SELECTED_MSG";
    static constexpr const char* REMOVE_SELECTED_PHOTOS = "REMOVE_SELECTED_PHOTOS";
    static constexpr const char* SECONDS = "SECONDS";
    static constexpr const char* SELECTED_BATCH_ORIGINAL_SIZE = "SELECTED_BATCH_ORIGINAL_SIZE";
    static constexpr const char* SELECTED_TO_PROCESS = "SELECTED_TO_PROCESS";
    static constexpr const char* SELECT_ALL = "SELECT_ALL";
    static constexpr const char* SOME_FILES_CANT_ADDED = "SOME_FILES_CANT_ADDED";
    static constexpr const char* SOME_PHOTOS_NOT_EXISTS = "SOME_PHOTOS_NOT_EXISTS";
    static constexpr const char* SPACE_SAVED = "SPACE_SAVED";
    static constexpr const char* STOP_MSG = "STOP_MSG";
    static constexpr const char* STOP_PROCESS = "STOP_PROCESS";
    static constexpr const char* SUMMARY = "SUMMARY";
    static constexpr const char* TIME_ELAPSED = "TIME_ELAPSED";
    static constexpr const char* TOTAL_BATCH_SIZE = "TOTAL_BATCH_SIZE";
    static constexpr const char* TOTAL_IMAGE_CONVERTED = "TOTAL_IMAGE_CONVERTED";
    static constexpr const char* TOTAL_IMAGE_SELECTED = "TOTAL_IMAGE_SELECTED";
    static constexpr const char* UNSELECT_ALL = "UNSELECT_ALL";
    static constexpr const char* WAIT_IMPORTING_PHOTOS = "WAIT_IMPORTING_PHOTOS";
};

} // namespace fw
