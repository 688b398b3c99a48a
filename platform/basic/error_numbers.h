#pragma once
// The run-time error numbers the runtime and the forms raise, by name. The
// numbers are what programs see in Err.Number and must not change; their
// standard texts are in err.cpp.
namespace vb::errors {

// Calls and values.
inline constexpr int InvalidProcedureCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int ObjectVariableNotSet = 91;
inline constexpr int InvalidUseOfNull = 94;

// Files and programs.
inline constexpr int BadFileNameOrNumber = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int BadFileMode = 54;
inline constexpr int FileAlreadyOpen = 55;
inline constexpr int DeviceIOError = 57;
inline constexpr int DiskFull = 61;
inline constexpr int InputPastEndOfFile = 62;
inline constexpr int TooManyFiles = 67;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int InvalidFileFormat = 321;

// Forms, controls and control arrays.
inline constexpr int ControlArrayElementMissing = 340;
inline constexpr int NotAControlArray = 343;
inline constexpr int ObjectAlreadyLoaded = 360;
inline constexpr int CannotUnloadDesignTimeControl = 362;
inline constexpr int NoMDIFormToLoad = 366;
inline constexpr int InvalidPropertyValue = 380;
inline constexpr int InvalidPropertyArrayIndex = 381;
inline constexpr int PropertyNotSettableAtRunTime = 382;
inline constexpr int PropertyReadOnly = 383;
inline constexpr int FormAlreadyShown = 400;
inline constexpr int MDIChildNotModal = 403;
inline constexpr int InvalidPicture = 481;
inline constexpr int ControlNotFound = 730;

// Objects and collections.
inline constexpr int MemberNotSupported = 438;
inline constexpr int ArgumentNotOptional = 449;
inline constexpr int WrongNumberOfArguments = 450;
inline constexpr int DuplicateCollectionKey = 457;

}  // namespace vb::errors
