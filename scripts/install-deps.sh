#!/usr/bin/env bash
# Installs the Debian packages Parcelvue needs to build, run and test. Idempotent: installs only
# what is missing, and refreshes the package lists only when it has something to install.
set -euo pipefail

packages=(
    cmake g++ make pkg-config ccache clang libclang-rt-14-dev clang-format
    qt6-base-dev qt6-multimedia-dev libqt6svg6 libqt6sql6-sqlite
    # the statistics window's chart; Qt Charts' CMake package needs Qt OpenGL's, which
    # qt6-charts-dev does not bring
    qt6-charts-dev libqt6charts6 libqt6opengl6-dev
    # the English interface: lupdate and lrelease, and their CMake package
    qt6-l10n-tools qt6-tools-dev
    # Qt's own texts (message box buttons, file dialogs) in Chinese for the Chinese interface
    qt6-translations-l10n
    gstreamer1.0-plugins-good gstreamer1.0-plugins-base
    libcurl4-openssl-dev libcpp-httplib-dev qtkeychain-qt6-dev libsqlite3-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    python3 python3-aiosmtpd python3-lxml python3-cryptography
    # the secret store: QtKeychain loads libsecret at run time; the tests run gnome-keyring on a
    # session bus of their own
    dbus gnome-keyring libsecret-1-0
    xvfb xauth x11-utils fonts-noto-cjk openbox libxtst-dev
    desktop-file-utils appstream lintian dpkg-dev file
    # the IMAP tests run a Dovecot of their own, with a certificate made by openssl at test time
    dovecot-imapd openssl
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
