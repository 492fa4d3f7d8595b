import QtQuick 2.0

// The same image component under the name backgrounds use.
MultiResolutionImage {
}
