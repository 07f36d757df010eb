"""An SMTP server on 127.0.0.1 for the tests, with a login check.

Prints "PORT <n>" once it accepts connections, then serves until its standard input closes.
Every message it accepts is written to the output directory as <n>.json: the envelope, the
headers as received, and the subject and body as a mail client decodes them (Python's email
package, independently of the program's own encoding).

  smtp_server.py --out DIR --user USER --password PASSWORD [--mode accept|stall]

In "stall" mode the server logs in and takes the message, then never answers it.
"""
import argparse
import asyncio
import email
import email.policy
import json
import os
import socket
import sys

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword


def free_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Handler:
    def __init__(self, out, mode):
        self.out = out
        self.mode = mode
        self.count = 0

    async def handle_DATA(self, server, session, envelope):
        if self.mode == "stall":
            await asyncio.sleep(3600)
        raw = envelope.original_content or envelope.content
        message = email.message_from_bytes(raw, policy=email.policy.default)
        # The default policy gives header values decoded from their RFC 2047 words.
        decoded_subject = str(message.get("Subject", ""))
        body = message.get_content() if not message.is_multipart() else ""
        login = session.auth_data.login if isinstance(session.auth_data, LoginPassword) else b""
        record = {
            "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos,
            "login": login.decode("utf-8", "replace"),
            "headers": [[k, str(v)] for k, v in message.items()],
            "raw_headers": raw.split(b"\r\n\r\n", 1)[0].decode("ascii", "replace"),
            "subject": decoded_subject,
            "content_type": message.get_content_type(),
            "charset": message.get_content_charset() or "",
            "transfer_encoding": str(message.get("Content-Transfer-Encoding", "")),
            "body": body,
        }
        self.count += 1
        path = os.path.join(self.out, "%03d.json" % self.count)
        with open(path + ".tmp", "w", encoding="utf-8") as f:
            json.dump(record, f, ensure_ascii=False)
        os.replace(path + ".tmp", path)
        return "250 Message accepted for delivery"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--mode", choices=["accept", "stall"], default="accept")
    args = parser.parse_args()

    def authenticator(server, session, envelope, mechanism, auth_data):
        if not isinstance(auth_data, LoginPassword):
            return AuthResult(success=False, handled=False)
        ok = auth_data.login == args.user.encode() and auth_data.password == args.password.encode()
        return AuthResult(success=ok, handled=False, auth_data=auth_data if ok else None)

    port = free_port()
    controller = Controller(
        Handler(args.out, args.mode),
        hostname="127.0.0.1",
        port=port,
        authenticator=authenticator,
        auth_require_tls=False,
        auth_required=True,
    )
    controller.start()
    print("PORT %d" % port, flush=True)
    try:
        sys.stdin.read()
    finally:
        controller.stop()


if __name__ == "__main__":
    main()
