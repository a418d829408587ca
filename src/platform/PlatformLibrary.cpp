// Keeps the platform library non-empty while its parts are being written.
