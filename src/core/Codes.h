#pragma once

namespace fw {

// The codes the design numbers, with its numbers: they are stored in photo
// records and settings, written to logs and compared by every screen. Each
// set is an unscoped enum inside a struct, so a code reads as its set's name
// (PhotoStatus::Processed) and still passes where the design keeps an int.

// How a photo of a run ended (processStatus).
struct PhotoStatus {
    enum Code : int {
        NotProcessed = 0,
        Processed = 1,
        MissingAtSource = 2,
        SizeTooLarge = 7,
        Skipped = 8,
        SourceAccessDenied = 10,
        DestinationAccessDenied = 11,
        DestinationFolderMissing = 12,
        InvalidFileName = 13,
        NotSaved = 14,
        NotRead = 15,
        // The run stopped for space with this photo in hand; nothing written.
        StoppedForSpace = 16,
        // The output format cannot hold a picture this large.
        TooLargeForFormat = 17,
    };
};

// What one finished photo's report does to the run's counts: a success, a
// failure, a skip the user chose (not an error), or (for the permission
// outcomes) the photo's own status code.
struct ProgressStatus {
    enum Code : int { Success = 1, Failure = 2, Skipped = 3 };
};

// The standing answer of a worker to existing outputs (ProcessFlag).
struct ProcessFlag {
    enum Code : int { AskOrOverwrite = 0, SkipAll = 1, ReplaceAll = 2, KeepAll = 3 };
};

// The one-photo answer to the existing-file question (currentFileFlag).
struct FileAnswer {
    enum Code : int { NoAnswer = 0, ReplaceThis = 4, SkipThis = 5, KeepBoth = 6, UseNewName = 7 };
};

// Output settings: formatOption.
struct FormatOption {
    enum Code : int { KeepFormat = 0, Convert = 1 };
};

// Index into the known-format list (selectedFileFormat).
struct FormatIndex {
    enum Code : int {
        Tif = 0,
        Tiff = 1,
        Png = 2,
        Jpg = 3,
        Jpeg = 4,
        Jp2 = 5,
        Bmp = 6,
        Gif = 7,
        // Appended after the eight of the first versions, whose stored
        // indexes keep their meaning.
        Webp = 8,
        Avif = 9,
        Heic = 10,
        Jxl = 11,
    };
};

// Output settings: filenameOption.
struct FileNameOption {
    enum Code : int { SourceName = 0, WithPixelSize = 1, Prefix = 2, Suffix = 3, Template = 4 };
};

// Output settings: metadataOption.
struct MetadataOption {
    enum Code : int {
        KeepAll = 0,
        // Everything but the GPS position.
        WithoutLocation = 1,
        // Only what the picture needs to show right: its colour profile.
        PictureOnly = 2,
    };
};

// Size record: sizeMode. The classic mode is the custom, percent or original
// size of the first versions, chosen by their own flags.
struct SizeMode {
    enum Code : int { Classic = 0, FitInside = 1, LongEdge = 2, ShortEdge = 3 };
};

// Output settings: folderOption.
struct FolderOption {
    enum Code : int { BesideSource = 0, IntoFolder = 1 };
};

// Geometry settings: rotationType.
struct RotationType {
    enum Code : int {
        None = 0,
        QuarterClockwise = 1,
        QuarterCounterClockwise = 2,
        HalfTurn = 3,
        UprightByTag = 4,
    };
};

// The flip panel's choice.
struct FlipOption {
    enum Code : int { None = 0, Horizontal = 1, Vertical = 2 };
};

// The batch screen's add panels.
struct AddPanel {
    enum Code : int { Files = 0, Folder = 1, FolderFiltered = 2, Library = 3 };
};

// The photo menu's entries, by the design's option numbers.
struct PhotoMenuOption {
    enum Code : int { RevealInFolder = 0, OpenWithDefault = 1, GetInfo = 2, Remove = 4 };
};

// The kind of photo-library package met last (pathType).
struct LibraryKind {
    enum Code : int { None = 0, IPhotoOrAperture = 2, Photos = 3 };
};

// The batch screen's views (IMAGES_VIEW_MODE).
struct ViewMode {
    enum Code : int { List = 1, Grid = 2, LargeGrid = 3 };
};

// Alerts requested by tag (notificationShowAlertWithType).
struct AlertTag {
    enum Code : int {
        NotEnoughSpace = 102,
        PhotoMissingAtSource = 103,
        SomePhotosMissing = 104,
        SomePhotosMissingAgain = 105,
        AllPhotosMissing = 106,
        PhotoLimitExceeded = 109,
        FilesCannotBeAdded = 110,
        PhotosAlreadyInBatch = 111,
        NoPhotosToAdd = 112,
        RemoveMarkedPhotos = 113,
        RemoveAllPhotos = 114,
        NoPhotosMarkedToRemove = 116,
        NoPhotosAdded = 117,
        NoPhotosMarkedToProcess = 118,
        StopRun = 122,
        NoSizeChosen = 123,
    };
};

// The steps of a job: the batch, resizing, output settings, and the run.
struct Step {
    enum Code : int { Photos = 1, Resize = 2, Settings = 3, Processing = 4 };
};

struct Limits {
    // The photos one adding operation may admit.
    static constexpr int defaultPhotoLimit = 1000000;
};

} // namespace fw
