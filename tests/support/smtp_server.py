"""An SMTP server on 127.0.0.1 for the tests, with a login check.

Prints "PORT <n>" once it accepts connections, then serves until its standard input closes.
Every message it accepts is written to the output directory as <n>.json: the envelope, the
headers as received, and the subject and body as a mail client decodes them (Python's email
package, independently of the program's own encoding).

  smtp_server.py --out DIR --user USER --password PASSWORD [--mode accept|stall]
                 [--tls none|implicit|starttls]

In "stall" mode the server logs in and takes the message, then never answers it.

With --tls the server makes its own certificate authority and a certificate for 127.0.0.1 and
localhost (ca.pem in the output directory) and speaks implicit TLS or offers STARTTLS. Every
line a client sends is appended to transcript.jsonl with whether it came encrypted, so a test
can see that no login ever crossed a plain connection. A login is offered on plain connections
too, as a careless server would.
"""
import argparse
import asyncio
import datetime
import email
import email.policy
import ipaddress
import json
import os
import socket
import ssl
import sys

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


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
        # What a mail program shows: the HTML part when there is one.
        shown = message.get_body(preferencelist=("html", "plain"))
        body = shown.get_content() if shown is not None else ""
        parts = [
            {
                "content_type": part.get_content_type(),
                "charset": part.get_content_charset() or "",
                "transfer_encoding": str(part.get("Content-Transfer-Encoding", "")),
                "body": part.get_content(),
            }
            for part in message.walk()
            if not part.is_multipart()
        ]
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
            "parts": parts,
            "defects": [str(d) for m in message.walk() for d in m.defects],
        }
        self.count += 1
        path = os.path.join(self.out, "%03d.json" % self.count)
        with open(path + ".tmp", "w", encoding="utf-8") as f:
            json.dump(record, f, ensure_ascii=False)
        os.replace(path + ".tmp", path)
        return "250 Message accepted for delivery"


def make_certificates(out):
    """A certificate authority and a server certificate it signed, for 127.0.0.1 and localhost."""
    from cryptography import x509
    from cryptography.hazmat.primitives import hashes, serialization
    from cryptography.hazmat.primitives.asymmetric import ec
    from cryptography.x509.oid import NameOID

    now = datetime.datetime.utcnow()
    ca_key = ec.generate_private_key(ec.SECP256R1())
    ca_name = x509.Name([x509.NameAttribute(NameOID.COMMON_NAME, "Parcelvue test authority")])
    ca = (
        x509.CertificateBuilder()
        .subject_name(ca_name)
        .issuer_name(ca_name)
        .public_key(ca_key.public_key())
        .serial_number(x509.random_serial_number())
        .not_valid_before(now - datetime.timedelta(days=1))
        .not_valid_after(now + datetime.timedelta(days=30))
        .add_extension(x509.BasicConstraints(ca=True, path_length=None), critical=True)
        .add_extension(
            x509.KeyUsage(False, False, False, False, False, True, True, False, False), critical=True
        )
        .sign(ca_key, hashes.SHA256())
    )
    key = ec.generate_private_key(ec.SECP256R1())
    cert = (
        x509.CertificateBuilder()
        .subject_name(x509.Name([x509.NameAttribute(NameOID.COMMON_NAME, "127.0.0.1")]))
        .issuer_name(ca_name)
        .public_key(key.public_key())
        .serial_number(x509.random_serial_number())
        .not_valid_before(now - datetime.timedelta(days=1))
        .not_valid_after(now + datetime.timedelta(days=30))
        .add_extension(
            x509.SubjectAlternativeName(
                [x509.DNSName("localhost"), x509.IPAddress(ipaddress.ip_address("127.0.0.1"))]
            ),
            critical=False,
        )
        .add_extension(x509.BasicConstraints(ca=False, path_length=None), critical=True)
        .sign(ca_key, hashes.SHA256())
    )
    pem = serialization.Encoding.PEM
    with open(os.path.join(out, "ca.pem"), "wb") as f:
        f.write(ca.public_bytes(pem))
    cert_path = os.path.join(out, "server.pem")
    key_path = os.path.join(out, "server.key")
    with open(cert_path, "wb") as f:
        f.write(cert.public_bytes(pem))
    with open(key_path, "wb") as f:
        f.write(
            key.private_bytes(
                pem, serialization.PrivateFormat.PKCS8, serialization.NoEncryption()
            )
        )
    context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    context.load_cert_chain(cert_path, key_path)
    return context


class RecordingSMTP(SMTP):
    """Appends every line the client sends to the transcript, with whether it came encrypted."""

    transcript = None

    def _client_connected_cb(self, reader, writer):
        super()._client_connected_cb(reader, writer)
        server = self

        def recorded(read):
            async def read_and_record(*args, **kwargs):
                line = await read(*args, **kwargs)
                encrypted = (
                    server.transport is not None
                    and server.transport.get_extra_info("ssl_object") is not None
                )
                with open(server.transcript, "a", encoding="utf-8") as f:
                    text = line.decode("utf-8", "replace").rstrip("\r\n")
                    f.write(json.dumps({"line": text, "tls": encrypted}) + "\n")
                return line

            return read_and_record

        reader.readuntil = recorded(reader.readuntil)
        reader.readline = recorded(reader.readline)


class RecordingController(Controller):
    def factory(self):
        return RecordingSMTP(self.handler, **self.SMTP_kwargs)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--mode", choices=["accept", "stall"], default="accept")
    parser.add_argument("--tls", choices=["none", "implicit", "starttls"], default="none")
    args = parser.parse_args()
    RecordingSMTP.transcript = os.path.join(args.out, "transcript.jsonl")
    tls = {}
    if args.tls != "none":
        context = make_certificates(args.out)
        tls = {"ssl_context": context} if args.tls == "implicit" else {"tls_context": context}

    def authenticator(server, session, envelope, mechanism, auth_data):
        if not isinstance(auth_data, LoginPassword):
            return AuthResult(success=False, handled=False)
        ok = auth_data.login == args.user.encode() and auth_data.password == args.password.encode()
        return AuthResult(success=ok, handled=False, auth_data=auth_data if ok else None)

    port = free_port()
    controller = RecordingController(
        Handler(args.out, args.mode),
        hostname="127.0.0.1",
        port=port,
        authenticator=authenticator,
        auth_require_tls=False,
        auth_required=True,
        **tls,
    )
    controller.start()
    print("PORT %d" % port, flush=True)
    try:
        sys.stdin.read()
    finally:
        controller.stop()


if __name__ == "__main__":
    main()
